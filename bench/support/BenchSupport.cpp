#include "BenchSupport.h"

#include "protocol/OvManageCenter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace bench {

QByteArray volumeChangeLines(int changes)
{
    QByteArray lines;
    for (int i = 0; i < changes; ++i)
        lines += "set " + QByteArray::number(1 + i * 7) + " broVol " + QByteArray::number(i % 100) + "\n";
    return lines;
}

qint64 pumpUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer wall;
    wall.start();
    qint64 guiNs = 0;
    while (!done() && wall.elapsed() < timeoutMs) {
        QElapsedTimer g;
        g.start();
        QCoreApplication::processEvents();
        guiNs += g.nsecsElapsed();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return guiNs;
}

long peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

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

Simulator::Simulator(int terminals, const QStringList &extraArguments)
{
    QString program = qEnvironmentVariable("TALKBACK_SIM");
    if (program.isEmpty())
        program = QStringLiteral(TALKBACK_SIM_PATH);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(program, QStringList{"--terminals", QString::number(terminals), "--port", "0", "--media-port", "0"}
                                 + extraArguments);
    if (!m_process.waitForStarted(20000))
        return;
    static const QRegularExpression startup(QStringLiteral("^talkback-sim listening dbp=(\\d+)"));
    const auto match = startup.match(readLine(120000));
    if (match.hasMatch())
        m_port = quint16(match.captured(1).toUInt());
}

Simulator::~Simulator()
{
    m_process.kill();
    m_process.waitForFinished(5000);
}

int Simulator::readReplies(int n, int timeoutMs)
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

QString Simulator::readLine(int timeoutMs)
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

} // namespace bench
