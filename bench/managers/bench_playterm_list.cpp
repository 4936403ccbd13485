// The IP amplifier list path end to end: the simulator serves a generated
// installation over loopback, the real centre logs in, and the list manager
// fetches "select * from ipamp" until its cache is filled. Then 1,000 change
// pushes are applied to a 10,000-row cache. Printed with plain loopback
// throughput measured in the same run and the peak RSS of this process.
//
//   bench_playterm_list [--sizes 10000,100000] [--repeat N]

#include "managers/common/TermListCache.h"
#include "managers/terminals/OvPlayTermListMgr.h"
#include "managers/terminals/OvTerminal.h"
#include "managers/terminals/OvTerminalManage.h"
#include "util/BodyParsers.h"
#include "BenchSupport.h"
#include "protocol/OvManageCenter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>

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

// Time from fetchList to the cache filled (fetchList returns only after the
// answer has been parsed and handed to the cache).
bool benchList(int terminals, int repeat)
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
    std::vector<double> times;
    size_t rows = 0;
    for (int i = 0; i < repeat; ++i) {
        QElapsedTimer t;
        t.start();
        const int result = list.fetchList();
        times.push_back(ms(t.nsecsElapsed()));
        rows = list.lockList()->size();
        if (result != 0 || rows != size_t(terminals)) {
            std::fprintf(stderr, "fetchList gave %d with %zu rows\n", result, rows);
            return false;
        }
        QCoreApplication::processEvents();
    }
    std::sort(times.begin(), times.end());

    // The console's own share: the same rows parsed and cached in-process.
    QByteArray body = "[";
    {
        const auto cached = list.lockList();
        for (const OvTerminal &r : cached.records()) {
            Json::Value row(Json::objectValue);
            for (const auto &[key, value] :
                 {std::pair<const char *, QByteArray>{"terminalId", QByteArray::number(r.id)}, {"type", r.type},
                  {"status", QByteArray::number(r.status)}, {"work", r.work}, {"name", r.name}, {"ip", r.ip},
                  {"exten", r.exten}, {"ver", r.ver}, {"broVol", QByteArray::number(r.broVol)},
                  {"power", QByteArray::number(r.power)}, {"ampTemp", QByteArray::number(r.ampTemp)},
                  {"localTemp", QByteArray::number(r.localTemp)}, {"speaker", QByteArray::number(r.speaker)},
                  {"input", QByteArray::number(r.input)}, {"defaultVolumn", QByteArray::number(r.defaultVolumn)},
                  {"defaultPower", QByteArray::number(r.defaultPower)},
                  {"isDefault", QByteArray::number(r.isDefault)},
                  {"transportTcp", QByteArray::number(r.transport_tcp)},
                  {"warnTempThreshold", QByteArray::number(r.warnTempThreshold)},
                  {"fanTempThreshold", QByteArray::number(r.fanTempThreshold)},
                  {"maxVol", QByteArray::number(r.maxVol)}, {"masterId", QByteArray::number(r.master_id)}})
                row[key] = std::string(value.constData(), size_t(value.size()));
            if (body.size() > 1)
                body += ',';
            body += body::writeJson(row).trimmed();
        }
    }
    body += "]";
    QElapsedTimer p;
    p.start();
    std::vector<OvTerminal> parsed;
    OvTerminalManage::parseRows(body, parsed);
    const double parseMs = ms(p.nsecsElapsed());
    p.restart();
    TermListCache<OvTerminal> sorted(TermListCache<OvTerminal>::Order::AscendingId);
    std::reverse(parsed.begin(), parsed.end());
    sorted.replaceAll(std::move(parsed));
    const double cacheMs = ms(p.nsecsElapsed());

    std::printf("list %6d rows (%.1f MB): parse %.1f ms, cache of a reversed list %.1f ms\n", terminals,
                double(body.size()) / 1e6, parseMs, cacheMs);
    std::printf("list %6d rows: fetchList to cache filled  min %8.1f ms  median %8.1f ms  max %8.1f ms"
                "  (includes the 10 ms pause)  peak RSS %ld MB\n",
                terminals, times.front(), times[times.size() / 2], times.back(), peakRssMb());

    if (terminals != 10000) {
        centre.stopReceiveThread();
        return true;
    }

    // 1,000 change pushes: the simulator changes one row per control line and
    // pushes it; the list manager applies each on the receive thread and the
    // GUI thread runs one queued playTermChanged per row, with a slot that
    // re-reads the record as the screen does.
    constexpr int kChanges = 1000;
    int seen = 0;
    qint64 slotNs = 0;
    QObject::connect(&list, &OvPlayTermListMgr::playTermChanged, &list, [&](int id) {
        QElapsedTimer s;
        s.start();
        const auto copy = list.findCopy(id);
        if (copy)
            ++seen;
        slotNs += s.nsecsElapsed();
    });
    QElapsedTimer wall;
    wall.start();
    sim.writeLines(volumeChangeLines(kChanges));
    const qint64 guiNs = pumpUntil([&seen] { return seen >= kChanges; });
    const double wallMs = ms(wall.nsecsElapsed());
    const int replies = sim.readReplies(kChanges, 10000);
    std::printf("changes %d on %d rows: last applied after %.1f ms (simulator pace), GUI thread %.2f ms in all "
                "(slots %.2f ms), control replies %d\n",
                seen, terminals, wallMs, ms(guiNs), ms(slotNs), replies);
    centre.stopReceiveThread();

    // The cache operation alone, as the receive thread runs it per change.
    TermListCache<OvTerminal> cache(TermListCache<OvTerminal>::Order::AscendingId);
    {
        std::vector<OvTerminal> records(static_cast<size_t>(terminals));
        for (int i = 0; i < terminals; ++i)
            records[size_t(i)].id = i + 1;
        cache.replaceAll(std::move(records));
    }
    OvTerminal changed;
    QElapsedTimer c;
    c.start();
    for (int i = 0; i < kChanges; ++i) {
        changed.id = 1 + (i * 7919) % terminals;
        changed.broVol = i % 100;
        cache.applyChange(changed);
    }
    std::printf("cache: %d changes applied to %d rows in %.3f ms\n", kChanges, terminals, ms(c.nsecsElapsed()));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    // Logging every received chunk would be timed along with the list.
    qputenv("QT_LOGGING_RULES", "talkback.dbp.debug=false");
    QCoreApplication app(argc, argv);
    QList<int> sizes{10000, 100000};
    int repeat = 5;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--sizes")) {
            sizes.clear();
            for (const QString &s : args[i + 1].split(','))
                sizes.append(s.toInt());
        } else if (args[i] == QLatin1String("--repeat")) {
            repeat = std::max(1, args[i + 1].toInt());
        }
    }

    std::printf("loopback TCP throughput (plain socket pair, 256 MB): %.0f MB/s\n", loopbackMBps(256LL << 20));
    for (const int n : sizes) {
        if (!benchList(n, repeat))
            return 1;
    }
    std::printf("peak RSS of the console side: %ld MB\n", peakRssMb());
    return 0;
}
