// Times the simulator serving "select * from ipamp" for a 100,000-terminal
// installation over loopback, and, for comparison, plain loopback throughput
// of the same number of bytes between two sockets of this process.
//
//   sim_list_throughput [--terminals N] [--rounds R] [--sim PATH]
#include <QByteArray>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QElapsedTimer>
#include <QMessageAuthenticationCode>
#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int connectLoopback(quint16 port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0) {
        ::close(fd);
        return -1;
    }
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return fd;
}

bool sendAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + done, size_t(bytes.size() - done), 0);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Reads one DBP message (header block + Content-Length body). The body is
// counted, not kept, as a console's receive loop would consume it; the last
// body bytes are returned after the header so the caller can check the end.
QByteArray readMessage(int fd, QByteArray &pending)
{
    std::vector<char> chunk(1 << 20);
    qsizetype end = -1;
    while ((end = pending.indexOf("\r\n\r\n")) < 0) {
        const ssize_t n = ::recv(fd, chunk.data(), chunk.size(), 0);
        if (n <= 0)
            return QByteArray();
        pending.append(chunk.data(), int(n));
    }
    const qsizetype at = pending.left(end).indexOf("Content-Length:");
    const qint64 length = at < 0 ? 0 : pending.mid(at + 15, 20).split('\r').first().trimmed().toLongLong();
    QByteArray header = pending.left(end + 4);
    pending.remove(0, end + 4);
    qint64 left = length;
    QByteArray tail;
    auto consume = [&](const char *data, qint64 n) {
        const qint64 take = std::min(n, left);
        tail = QByteArray(data + take - std::min<qint64>(take, 16), int(std::min<qint64>(take, 16)));
        left -= take;
        return take;
    };
    const qint64 fromPending = consume(pending.constData(), pending.size());
    pending.remove(0, int(fromPending));
    while (left > 0) {
        const ssize_t n = ::recv(fd, chunk.data(), chunk.size(), 0);
        if (n <= 0)
            return QByteArray();
        const qint64 used = consume(chunk.data(), n);
        if (used < n)
            pending.append(chunk.data() + used, int(n - used));
    }
    return header + "..." + tail;
}

double loopbackMBps(qint64 bytes)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ::bind(listener, reinterpret_cast<sockaddr *>(&a), sizeof a);
    ::listen(listener, 1);
    ::getsockname(listener, reinterpret_cast<sockaddr *>(&a), &len);
    const quint16 port = ntohs(a.sin_port);
    std::thread writer([listener, bytes]() {
        const int fd = ::accept(listener, nullptr, nullptr);
        std::vector<char> block(1 << 16, 'x');
        qint64 left = bytes;
        while (left > 0) {
            const ssize_t n = ::send(fd, block.data(), size_t(std::min<qint64>(left, qint64(block.size()))), 0);
            if (n <= 0)
                break;
            left -= n;
        }
        ::close(fd);
    });
    const int fd = connectLoopback(port);
    QElapsedTimer clock;
    clock.start();
    std::vector<char> chunk(1 << 20);
    qint64 got = 0;
    while (got < bytes) {
        const ssize_t n = ::recv(fd, chunk.data(), chunk.size(), 0);
        if (n <= 0)
            break;
        got += n;
    }
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    writer.join();
    ::close(fd);
    ::close(listener);
    return double(got) / 1e6 / seconds;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto option = [&](const char *name, const QString &fallback) {
        const int i = int(args.indexOf(QLatin1String(name)));
        return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : fallback;
    };
    const int terminals = option("--terminals", "100000").toInt();
    const int rounds = option("--rounds", "5").toInt();
    const QString program = option("--sim", qEnvironmentVariable("TALKBACK_SIM", QStringLiteral(TALKBACK_SIM_PATH)));

    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer startClock;
    startClock.start();
    sim.start(program, {"--terminals", QString::number(terminals), "--port", "0", "--media-port", "0"});
    if (!sim.waitForStarted(10000) || !sim.waitForReadyRead(120000)) {
        std::fprintf(stderr, "cannot start %s\n", qPrintable(program));
        return 1;
    }
    const QByteArray line = sim.readLine().trimmed();
    const quint16 port = quint16(line.split('=').value(1).split(' ').value(0).toUInt());
    std::printf("simulator: %s (%d terminals, started in %lld ms)\n", line.constData(), terminals,
                startClock.elapsed());

    const int fd = connectLoopback(port);
    if (fd < 0) {
        std::fprintf(stderr, "cannot connect to port %u\n", port);
        return 1;
    }
    QByteArray pending;
    const QByteArray time = QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm:ss").toUtf8();
    const QByteArray digest = QMessageAuthenticationCode::hash("Name$admin$PassWord$admin$Time$" + time, "admin",
                                                               QCryptographicHash::Sha1).toHex();
    const QByteArray body = "{\"Name\":\"admin\",\"PassWord\":\"" + digest + "\",\"Time\":\"" + time + "\"}\n";
    sendAll(fd, "LOGIN DBP/1.0\r\nCSeq: 1\r\nPacket-Type:TalkManagerLogin\r\nContent-Length:"
                    + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    if (!readMessage(fd, pending).startsWith("DBP/1.0 200 OK")) {
        std::fprintf(stderr, "login refused\n");
        return 1;
    }
    readMessage(fd, pending);  // the LevelList push

    const QByteArray sql = "select * from ipamp";
    std::vector<double> rates;
    qint64 answerBytes = 0;
    for (int r = 0; r < rounds; ++r) {
        const QByteArray request = "GET DBP/1.0\r\nCSeq: " + QByteArray::number(r + 2)
            + "\r\nPacket-Type:SqlConfig\r\nPacket-Subtype: TerminalList\r\nContent-Length:"
            + QByteArray::number(sql.size()) + "\r\n\r\n" + sql;
        QElapsedTimer clock;
        clock.start();
        sendAll(fd, request);
        const QByteArray answer = readMessage(fd, pending);
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        if (!answer.startsWith("DBP/1.0 200 OK")) {
            std::fprintf(stderr, "list refused: %s\n", answer.left(200).constData());
            return 1;
        }
        if (!answer.endsWith("\"}]")) {
            std::fprintf(stderr, "answer does not end a JSON array\n");
            return 1;
        }
        answerBytes = answer.indexOf("\r\n\r\n") + 4 + answer.mid(answer.indexOf("Content-Length:") + 15, 20)
                                                                   .split('\r').first().trimmed().toLongLong();
        rates.push_back(double(answerBytes) / 1e6 / seconds);
        std::printf("round %d: %lld bytes in %.1f ms = %.1f MB/s\n", r + 1, answerBytes, seconds * 1000, rates.back());
    }
    ::close(fd);
    std::sort(rates.begin(), rates.end());
    const double median = rates[rates.size() / 2];
    const double loopback = loopbackMBps(answerBytes);
    std::printf("select * from ipamp, %d rows: median %.1f MB/s, best %.1f MB/s (target >= 50 MB/s)\n", terminals,
                median, rates.back());
    std::printf("plain loopback socket pair, %lld bytes: %.1f MB/s\n", answerBytes, loopback);
    sim.kill();
    sim.waitForFinished(5000);
    return 0;
}
