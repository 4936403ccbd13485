// The player page end to end: the simulator serves a generated installation
// over loopback, the real centre logs in, and the page asks for the list and
// fills its table; the figure is from the list request to the table painted
// (a grab of the page). Then 1,000 change pushes are applied to the rows of a
// 10,000-row table. Printed with plain loopback throughput measured in the
// same run and the peak RSS of this process. Runs offscreen.
//
//   bench_player_screen [--sizes 10000,100000]

#include "managers/terminals/OvPlayTermListMgr.h"
#include "BenchSupport.h"
#include "protocol/OvManageCenter.h"
#include "screens/terminals/OvPlayerInfoForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QTableWidget>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

namespace {

using namespace bench;

bool benchScreen(int terminals)
{
    Simulator sim(terminals);
    if (!sim.port()) {
        std::fprintf(stderr, "simulator with %d terminals did not start\n", terminals);
        return false;
    }
    OvManageCenter centre;
    if (!logIn(centre, sim.port())) {
        std::fprintf(stderr, "login failed\n");
        return false;
    }
    OvPlayTermListMgr list(&centre);
    // Built with its list request, as the main window builds it.
    QElapsedTimer t;
    t.start();
    OvPlayerInfoForm form(list);
    form.resize(1280, 720);
    form.show();
    const double requestMs = ms(t.nsecsElapsed());
    QTableWidget *table = form.table();
    while (table->rowCount() != terminals && t.elapsed() < 60000)
        QCoreApplication::processEvents();
    const double filledMs = ms(t.nsecsElapsed());
    const QPixmap painted = form.grab();
    const double paintedMs = ms(t.nsecsElapsed());
    if (table->rowCount() != terminals || painted.isNull()) {
        std::fprintf(stderr, "table has %d rows\n", table->rowCount());
        return false;
    }
    // Warm runs: the page asks again (the table is rebuilt by gotPlayTermList,
    // which is dispatched while the request waits or right after).
    std::vector<double> warm;
    for (int i = 0; i < 3; ++i) {
        int rebuilt = 0;
        const QMetaObject::Connection counting =
            QObject::connect(&list, &OvPlayTermListMgr::gotPlayTermList, &form, [&rebuilt] { ++rebuilt; });
        QElapsedTimer w;
        w.start();
        list.fetchList();
        while (rebuilt == 0 && w.elapsed() < 60000)
            QCoreApplication::processEvents();
        QObject::disconnect(counting);
        form.grab();
        warm.push_back(ms(w.nsecsElapsed()));
    }
    std::sort(warm.begin(), warm.end());
    std::printf("screen %6d rows: warm list request to table painted  min %8.1f ms  median %8.1f ms\n", terminals,
                warm.front(), warm[1]);
    // The table's own share: the same cache shown again.
    QElapsedTimer f;
    f.start();
    form.showTerminals();
    form.grab();
    const double refillMs = ms(f.nsecsElapsed());
    std::printf("screen %6d rows: list request to table filled %8.1f ms (request answered and cached %.1f ms),"
                " painted %8.1f ms; refill + paint from the cache %.1f ms; peak RSS %ld MB\n",
                terminals, filledMs, requestMs, paintedMs, refillMs, peakRssMb());

    if (terminals != 10000) {
        centre.stopReceiveThread();
        return true;
    }

    // 1,000 change pushes, one row each; the GUI thread runs one updateTer per row.
    constexpr int kChanges = 1000;
    int seen = 0;
    QObject::connect(&list, &OvPlayTermListMgr::playTermChanged, &form, [&seen](int) { ++seen; });
    sim.writeLines(volumeChangeLines(kChanges));
    const qint64 guiNs = pumpUntil([&seen] { return seen >= kChanges; });
    QElapsedTimer g;
    g.start();
    form.grab();
    const double paintMs = ms(g.nsecsElapsed());
    const QTableWidgetItem *cell = table->item(form.tableCtrl().rowOf(lastChangedId(kChanges)), 3);
    const bool applied = cell && cell->text() == QString::number(lastChangedVolume(kChanges));
    std::printf("changes %d on %d rows: GUI thread %.2f ms in all (rows patched, events dispatched), "
                "paint after them %.2f ms, last row %s, control replies %d\n",
                seen, terminals, ms(guiNs), paintMs, applied ? "shows its value" : "NOT updated",
                sim.readReplies(kChanges, 10000));
    centre.stopReceiveThread();
    return applied;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_LOGGING_RULES", "talkback.dbp.debug=false");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<int> sizes{10000, 100000};
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--sizes")) {
            sizes.clear();
            for (const QString &s : args[i + 1].split(','))
                sizes.append(s.toInt());
        }
    }
    std::printf("loopback TCP throughput (plain socket pair, 256 MB): %.0f MB/s\n", loopbackMBps(256LL << 20));
    for (const int n : sizes) {
        if (!benchScreen(n))
            return 1;
    }
    std::printf("peak RSS of the console side: %ld MB\n", peakRssMb());
    return 0;
}
