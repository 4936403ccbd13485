// The player page end to end: the simulator serves a generated installation
// over loopback, the real centre logs in, and the page asks for the list and
// fills its table; the figure is from the list request to the table painted
// (a grab of the page). Then 1,000 change pushes are applied to the rows of a
// 10,000-row table. Printed with plain loopback throughput measured in the
// same run and the peak RSS of this process. Runs offscreen.
//
//   bench_player_screen [--sizes 10000,100000]

#include "managers/terminals/OvPlayTermListMgr.h"
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
    QElapsedTimer g;
    g.start();
    form.grab();
    const double paintMs = ms(g.nsecsElapsed());
    const int lastId = 1 + (kChanges - 1) * 7;
    const QTableWidgetItem *cell = table->item(form.tableCtrl().rowOf(lastId), 3);
    const bool applied = cell && cell->text() == QString::number((kChanges - 1) % 100);
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
