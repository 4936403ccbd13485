// GUI time of the region screens: the edit dialog over 10,000 player
// terminals (open and painted; select all and save), and 1,000 regions
// listed on the page (filled and painted). No server: the terminals and the
// list come from memory, the list through the region manager's own list
// event, so only the GUI side is timed. Runs offscreen.
//
//   bench_region_screens [--terminals 10000] [--regions 1000]

#include "managers/regions/OvRegionListMgr.h"
#include "managers/regions/OvRegionManage.h"
#include "protocol/OvManageCenter.h"
#include "screens/regions/OvRegionEditDialog.h"
#include "screens/regions/OvRegionMgrForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTableWidget>

#include <cstdio>

namespace {

double ms(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

RegionTerminals players(int n)
{
    RegionTerminals t;
    t.players.reserve(size_t(n));
    for (int i = 1; i <= n; ++i) {
        OvBaseTerminal p;
        p.id = i;
        p.name = "教学楼 " + QByteArray::number(i);
        p.type = i % 3 ? "IP" : "PT";
        p.ip = "10.0." + QByteArray::number(i / 256) + "." + QByteArray::number(i % 256);
        t.players.push_back(p);
    }
    for (int i = 0; i < 20; ++i) {
        OvBaseTerminal s;
        s.id = 200001 + i;
        s.name = "M26 " + QByteArray::number(i);
        s.type = "Mic26";
        t.m26.push_back(s);
    }
    return t;
}

void report(const char *what, double figure, double limit)
{
    std::printf("%-44s %8.1f ms  (limit %.0f ms) %s\n", what, figure, limit, figure <= limit ? "ok" : "OVER");
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int terminals = 10000;
    int regionCount = 1000;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--terminals"))
            terminals = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--regions"))
            regionCount = args[i + 1].toInt();
    }

    const RegionTerminals all = players(terminals);
    OvRegion region;
    region.id = 1;
    region.name = "Campus";
    std::vector<int> some;
    for (int i = 1; i <= terminals; i += 7)
        some.push_back(i);
    region.setMemberIds(some);

    QElapsedTimer t;
    t.start();
    OvRegionEditDialog dialog(region, false, all);
    dialog.show();
    dialog.grab();
    const double openMs = ms(t);

    t.restart();
    dialog.selectAllBox()->setChecked(true);
    dialog.slot_ok_clicked();
    dialog.grab();
    const double saveMs = ms(t);
    const size_t saved = dialog.region().members.size();

    OvManageCenter centre(OvManageCenter::Bare);
    centre.installManager(OvManageCenter::RegionSlot, std::make_unique<OvRegionManage>());
    OvRegionListMgr list(&centre);
    QByteArray rows = "[";
    for (int i = 1; i <= regionCount; ++i) {
        if (i > 1)
            rows += ',';
        rows += "{\"regionId\":\"" + QByteArray::number(i) + "\",\"name\":\"区域 " + QByteArray::number(i)
            + "\",\"terminalId\":\"" + QByteArray::number(i) + " " + QByteArray::number(i + 1) + "\"}";
    }
    rows += ']';
    dynamic_cast<OvRegionManage *>(centre.manager(OvManageCenter::RegionSlot))->onOk(OvRegionManage::ListCode, rows);
    OvRegionMgrForm form(list, [&all] { return all; });
    form.resize(1280, 700);
    form.show();
    QCoreApplication::processEvents();
    t.restart();
    form.slot_showRegionList();
    form.grab();
    const double listMs = ms(t);

    std::printf("region screens: %d player terminals, %d regions\n", terminals, regionCount);
    report("edit dialog open (built and painted)", openMs, 200);
    report("select all and save", saveMs, 200);
    report("regions listed (filled and painted)", listMs, 50);
    std::printf("saved members %zu, region rows %d\n", saved, form.regionTable()->rowCount());
    return saved == all.all().size() && form.regionTable()->rowCount() == regionCount ? 0 : 1;
}
