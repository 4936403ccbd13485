// The logs against a real MariaDB holding 1,000,000 rows in each log (and
// the simulator for the DBP path and the talk-log server parameter):
//  - the CSV export of the whole talk log (GBK), with the peak memory;
//  - a page on screen: from the click to the painted table, for next and
//    previous (read from the neighbouring page) and refresh (count again);
//  - what an offset page costs deep in the log, the reason the export and
//    the page steps do not skip rows on the server;
//  - a page of 100 rows through the simulator over DBP.
// Runs offscreen.
//
//   bench_logs [--rows N]     (default 1000000)

#include "BenchSupport.h"
#include "LogDbProcess.h"
#include "SimProcess.h"
#include "logs/LogExportThread.h"
#include "logs/LogQueries.h"
#include "logs/OvLogManage.h"
#include "logs/OvMySqlConn.h"
#include "logs/OvServiceLogMgr.h"
#include "protocol/OvManageCenter.h"
#include "screens/logs/OvTalkLogInfoForm.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QPixmap>
#include <QTableWidget>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using namespace bench;

double paintMs(QWidget &w, QElapsedTimer &t)
{
    w.grab();
    return ms(t.nsecsElapsed());
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TALKBACK_SOURCE_DIR", TALKBACK_SOURCE_PATH);
    if (qEnvironmentVariableIsEmpty("TALKBACK_SIM"))
        qputenv("TALKBACK_SIM", TALKBACK_SIM_BINARY);
    QApplication app(argc, argv);
    int rows = 1000000;
    const QStringList args = app.arguments();
    const int at = args.indexOf("--rows");
    if (at >= 0 && at + 1 < args.size())
        rows = args.at(at + 1).toInt();

    QElapsedTimer setup;
    setup.start();
    LogDbProcess db({"--rows", QString::number(rows)});
    if (!db.isRunning()) {
        std::fprintf(stderr, "log database: %s\n", qPrintable(db.errorString()));
        return 1;
    }
    std::printf("log database with %d rows per log ready in %.1f s\n", rows, setup.elapsed() / 1000.0);
    LogDbAccount account;
    account.host = QStringLiteral("127.0.0.1");
    account.port = db.port();

    // Export of the whole talk log.
    QTemporaryDir dir;
    const QString target = dir.filePath("ov_talkback_log.csv");
    const long rssBefore = peakRssMb();
    LogExportThread thread(target, {"序号", "a", "b", "c", "d", "e", "f", "g", "h"}, logdb::Talk, account);
    int finish = -100;
    QEventLoop loop;
    QObject::connect(&thread, &LogExportThread::finish_signal, &loop, [&](int v) {
        finish = v;
        loop.quit();
    });
    QElapsedTimer t;
    t.start();
    thread.start();
    loop.exec();
    thread.wait();
    std::printf("export of %ld talk rows: %.2f s, finish %d, file %.1f MB, peak RSS %ld MB -> %ld MB\n",
                thread.rowsWritten(), ms(t.nsecsElapsed()) / 1000.0, finish,
                QFileInfo(target).size() / 1048576.0, rssBefore, peakRssMb());

    // What skipping rows on the server costs.
    OvMySqlConn conn;
    if (conn.connect(account) != 0)
        return 1;
    for (int offset : {0, rows / 2, rows - 100}) {
        std::vector<OvLogRow> page;
        t.restart();
        logdb::readPage(conn, logdb::Talk, offset, page);
        std::printf("offset page at %d: %.1f ms (%zu rows)\n", offset, ms(t.nsecsElapsed()), page.size());
    }
    t.restart();
    const int count = logdb::readCount(conn, logdb::Talk);
    std::printf("count of %d rows: %.1f ms\n", count, ms(t.nsecsElapsed()));

    // The page on screen, direct path: the simulator names the database.
    SimProcess sim({"--log-server", QStringLiteral("127.0.0.1:%1").arg(db.port())});
    OvManageCenter centre;
    if (!sim.isRunning() || !logIn(centre, sim.dbpPort())) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(sim.errorString()));
        return 1;
    }
    OvServiceLogMgr logs(&centre);
    OvMySqlConn pageConn;
    pageConn.connect(account);
    QDir::setCurrent(dir.path());
    t.restart();
    OvTalkLogInfoForm form(logs, pageConn);
    form.resize(1180, 620);
    form.show();
    std::printf("talk log page built (lookup, count, page 1): %.1f ms\n", paintMs(form, t));
    double worst = 0;
    for (int i = 0; i < 20; ++i) {
        t.restart();
        form.slot_nextClicked();
        worst = qMax(worst, paintMs(form, t));
    }
    std::printf("next page x20 to page %d of %d: worst %.1f ms\n", form.page(), form.pages(), worst);
    worst = 0;
    for (int i = 0; i < 20; ++i) {
        t.restart();
        form.slot_previousClicked();
        worst = qMax(worst, paintMs(form, t));
    }
    std::printf("previous page x20 back to page %d: worst %.1f ms\n", form.page(), worst);
    t.restart();
    form.slot_refreshClicked();
    std::printf("refresh (count again, page 1): %.1f ms\n", paintMs(form, t));

    // A page of 100 rows through the simulator over DBP (its sample logs).
    SimProcess dbpSim;
    OvManageCenter dbpCentre;
    if (!dbpSim.isRunning() || !logIn(dbpCentre, dbpSim.dbpPort()))
        return 1;
    OvServiceLogMgr dbpLogs(&dbpCentre);
    double best = 1e9;
    worst = 0;
    for (int i = 0; i < 20; ++i) {
        bool got = false;
        QMetaObject::Connection c =
            QObject::connect(&dbpLogs, &OvServiceLogMgr::gotTalkLogList, &app, [&] { got = true; });
        t.restart();
        dbpLogs.query(OvLogManage::TalkPage, (i % 3) * 100);
        while (!got && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const double took = ms(t.nsecsElapsed());
        QObject::disconnect(c);
        best = qMin(best, took);
        worst = qMax(worst, took);
    }
    std::printf("DBP page of %zu rows through the simulator x20: best %.1f ms, worst %.1f ms\n",
                dbpLogs.talkLogs().size(), best, worst);
    centre.stopReceiveThread();
    dbpCentre.stopReceiveThread();
    return 0;
}
