// The sound-source task list end to end: the simulator serves 10,000 generated
// tasks, the real centre logs in, and the task list manager fetches
// "select * from soundsource" until its cache is filled. Then 1,000
// "SqlConfig_soundsource" pushes are applied, with the GUI thread's share
// measured. Last, a task document of 10,000 "Task" elements is parsed.
// Printed beside plain loopback throughput of the same run.
//
//   bench_tasks [--tasks 10000] [--repeat N]

#include "BenchSupport.h"
#include "managers/tasks/OvPlayTaskManage.h"
#include "managers/tasks/OvSsTaskDataMgr.h"
#include "protocol/OvManageCenter.h"
#include "util/BodyParsers.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using namespace bench;

bool benchTaskList(int tasks, int repeat)
{
    Simulator sim(100, {"--tasks", QString::number(tasks)});
    if (!sim.port()) {
        std::fprintf(stderr, "simulator with %d tasks did not start\n", tasks);
        return false;
    }
    OvManageCenter centre;
    if (!logIn(centre, sim.port())) {
        std::fprintf(stderr, "login failed\n");
        return false;
    }
    OvSsTaskDataMgr list(&centre);
    std::vector<double> times;
    for (int i = 0; i < repeat; ++i) {
        QElapsedTimer t;
        t.start();
        const int result = list.fetchList();
        times.push_back(ms(t.nsecsElapsed()));
        const size_t rows = list.copyList().size();
        if (result != 0 || rows != size_t(tasks)) {
            std::fprintf(stderr, "fetchList gave %d with %zu rows\n", result, rows);
            return false;
        }
        QCoreApplication::processEvents();
    }
    std::sort(times.begin(), times.end());
    std::printf("tasks %d: list request to cache filled  min %.1f ms  median %.1f ms  max %.1f ms"
                "  (includes the 10 ms pause; goal 100 ms)\n",
                tasks, times.front(), times[times.size() / 2], times.back());

    constexpr int kChanges = 1000;
    int seen = 0;
    qint64 slotNs = 0;
    QObject::connect(&list, &OvSsTaskDataMgr::taskChanged, &list, [&](int id) {
        QElapsedTimer s;
        s.start();
        if (list.findCopy(id))
            ++seen;
        slotNs += s.nsecsElapsed();
    });
    QByteArray lines;
    for (int i = 0; i < kChanges; ++i)
        lines += "set soundsource " + QByteArray::number(1 + (i * 7) % tasks) + " playVol "
            + QByteArray::number(i % 100) + "\n";
    QElapsedTimer wall;
    wall.start();
    sim.writeLines(lines);
    qint64 guiNs = 0;
    while (seen < kChanges && wall.elapsed() < 30000) {
        QElapsedTimer g;
        g.start();
        QCoreApplication::processEvents();
        guiNs += g.nsecsElapsed();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    const int replies = sim.readReplies(kChanges, 10000);
    std::printf("changes %d on %d tasks: last applied after %.1f ms (simulator pace), GUI thread %.2f ms in all "
                "(slots %.2f ms; goal 20 ms), control replies %d\n",
                seen, tasks, ms(wall.nsecsElapsed()), ms(guiNs), ms(slotNs), replies);
    centre.stopReceiveThread();
    return seen == kChanges;
}

void benchTaskDocument(int tasks)
{
    QByteArray doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><TaskList>";
    for (int i = 1; i <= tasks; ++i) {
        doc += "<Task id=\"" + QByteArray::number(i) + "\" type=\"1\" name=\"任务" + QByteArray::number(i)
            + "\" mode=\"1\" dur=\"600\" rule=\"1\" bdate=\"1735689600\" edate=\"4102444800\" week=\"62\" "
              "SchemeID=\"1\" en=\"1\"><exec><e i=\"28800\" n=\"Morning\"/><e i=\"43200\" n=\"Noon\"/></exec>"
              "<files><f i=\"1\" n=\"/media/bells/ring.mp3\" t=\"1\"/><f i=\"2\" n=\"/media/music/a.mp3\"/></files>"
              "<TtsInfo tts_text=\"\" role=\"3\"/><terminals vol=\"60\"><t i=\"1\" vol=\"50\"/><t i=\"2\"/>"
              "<t i=\"3\"/></terminals></Task>\n";
    }
    doc += "</TaskList>";
    OvPlayTaskManage m;
    std::vector<double> times;
    for (int r = 0; r < 5; ++r) {
        QElapsedTimer t;
        t.start();
        if (m.parseList(doc) != 0 || m.taskCount() != size_t(tasks)) {
            std::fprintf(stderr, "task document did not parse\n");
            return;
        }
        times.push_back(ms(t.nsecsElapsed()));
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    // TinyXML-2's own share: the document parsed and nothing read from it.
    std::vector<double> parseOnly;
    for (int r = 0; r < 5; ++r) {
        tinyxml2::XMLDocument xml;
        QElapsedTimer t;
        t.start();
        body::parseXml(doc, xml);
        parseOnly.push_back(ms(t.nsecsElapsed()));
    }
    std::sort(parseOnly.begin(), parseOnly.end());
    std::printf("task document: TinyXML-2 parse alone median %.1f ms\n", parseOnly[parseOnly.size() / 2]);
    std::printf("task document of %d elements (%.1f MB): median %.1f ms, %.0f MB/s (goal 100 MB/s)\n", tasks,
                double(doc.size()) / 1e6, median, double(doc.size()) / 1e6 / (median / 1e3));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_LOGGING_RULES", "talkback.dbp.debug=false");
    QCoreApplication app(argc, argv);
    int tasks = 10000;
    int repeat = 5;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--tasks"))
            tasks = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--repeat"))
            repeat = std::max(1, args[i + 1].toInt());
    }
    std::printf("loopback TCP throughput (plain socket pair, 256 MB): %.0f MB/s\n", loopbackMBps(256LL << 20));
    const bool ok = benchTaskList(tasks, repeat);
    benchTaskDocument(tasks);
    std::printf("peak RSS of the console side: %ld MB\n", peakRssMb());
    return ok ? 0 : 1;
}
