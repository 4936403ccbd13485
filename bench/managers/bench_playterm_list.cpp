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

long peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// Bytes per second between two TCP sockets of this process on 127.0.0.1.
double loopbackMBps(qint64 bytes)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(listener, reinterpret_cast<sockaddr *>(&addr), len) != 0 || ::listen(listener, 1) != 0
        || ::getsockname(listener, reinterpret_cast<sockaddr *>(&addr), &len) != 0) {
        ::close(listener);
        return 0;
    }
    const int writer = ::socket(AF_INET, SOCK_STREAM, 0);
    if (::connect(writer, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0) {
        ::close(writer);
        ::close(listener);
        return 0;
    }
    const int reader = ::accept(listener, nullptr, nullptr);
    QElapsedTimer t;
    t.start();
    std::thread sender([writer, bytes] {
        std::vector<char> chunk(256 * 1024, 'x');
        qint64 left = bytes;
        while (left > 0) {
            const ssize_t n = ::send(writer, chunk.data(), size_t(std::min<qint64>(left, qint64(chunk.size()))), 0);
            if (n <= 0)
                break;
            left -= n;
        }
        ::shutdown(writer, SHUT_WR);
    });
    std::vector<char> buffer(256 * 1024);
    qint64 got = 0;
    for (;;) {
        const ssize_t n = ::recv(reader, buffer.data(), buffer.size(), 0);
        if (n <= 0)
            break;
        got += n;
    }
    sender.join();
    const double seconds = double(t.nsecsElapsed()) / 1e9;
    ::close(reader);
    ::close(writer);
    ::close(listener);
    return seconds > 0 ? double(got) / 1e6 / seconds : 0;
}

class Simulator
{
public:
    explicit Simulator(int terminals)
    {
        QString program = qEnvironmentVariable("TALKBACK_SIM");
        if (program.isEmpty())
            program = QStringLiteral(TALKBACK_SIM_PATH);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(program, {"--terminals", QString::number(terminals), "--port", "0", "--media-port", "0"});
        if (!m_process.waitForStarted(20000))
            return;
        static const QRegularExpression startup(QStringLiteral("^talkback-sim listening dbp=(\\d+)"));
        const auto match = startup.match(readLine(120000));
        if (match.hasMatch())
            m_port = quint16(match.captured(1).toUInt());
    }
    ~Simulator()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    quint16 port() const { return m_port; }

    // Writes all lines at once; the replies are read (and counted) later.
    void writeLines(const QByteArray &lines) { m_process.write(lines); }
    int readReplies(int n, int timeoutMs)
    {
        int got = 0;
        while (got < n) {
            const QString line = readLine(timeoutMs);
            if (line.isEmpty())
                break;
            ++got;
        }
        return got;
    }

private:
    QString readLine(int timeoutMs)
    {
        QElapsedTimer t;
        t.start();
        for (;;) {
            // The event loop may have read the pipe already.
            m_pending += m_process.readAllStandardOutput();
            const int nl = m_pending.indexOf('\n');
            if (nl >= 0) {
                const QByteArray line = m_pending.left(nl);
                m_pending.remove(0, nl + 1);
                return QString::fromUtf8(line).trimmed();
            }
            if (t.elapsed() > timeoutMs || m_process.state() == QProcess::NotRunning)
                return QString();
            if (m_process.waitForReadyRead(100))
                m_pending += m_process.readAllStandardOutput();
        }
    }

    QProcess m_process;
    QByteArray m_pending;
    quint16 m_port = 0;
};

bool logIn(OvManageCenter &centre, quint16 port)
{
    centre.setServerAddress(QStringLiteral("127.0.0.1"), port);
    centre.setCredentials("admin", "admin");
    centre.startReceiveThread();
    QElapsedTimer t;
    t.start();
    while (centre.state() != ConnectionState::LoggedIn && t.elapsed() < 15000) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return centre.state() == ConnectionState::LoggedIn;
}

double ms(qint64 nanoseconds)
{
    return double(nanoseconds) / 1e6;
}

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
    QByteArray lines;
    for (int i = 0; i < kChanges; ++i)
        lines += "set " + QByteArray::number(1 + i * 7) + " broVol " + QByteArray::number(i % 100) + "\n";
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
