// How fast one large list answer travels from a loopback peer through the
// console's receive loop, framer and dispatcher, against what plain loopback
// TCP carries on the same machine in the same run.
#include "protocol/OvBaseMgr.h"
#include "protocol/OvCommandRequest.h"
#include "protocol/OvManageCenter.h"

#include <QLoggingCategory>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

int listenLoopback(uint16_t &port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a);
    ::listen(fd, 1);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len);
    port = ntohs(a.sin_port);
    return fd;
}

void sendAll(int fd, const char *p, size_t n)
{
    while (n > 0) {
        const ssize_t k = ::send(fd, p, n, MSG_NOSIGNAL);
        if (k <= 0)
            return;
        p += k;
        n -= static_cast<size_t>(k);
    }
}

// Reads one request (header block and Content-Length bytes) from fd.
QByteArray readRequest(int fd, QByteArray &inbox)
{
    for (;;) {
        const int end = inbox.indexOf("\r\n\r\n");
        if (end >= 0) {
            int length = 0;
            const int at = inbox.left(end).indexOf("Content-Length:");
            if (at >= 0)
                length = atoi(inbox.constData() + at + 15);
            if (inbox.size() >= end + 4 + length) {
                const QByteArray r = inbox.left(end + 4 + length);
                inbox.remove(0, end + 4 + length);
                return r;
            }
        }
        char buf[65536];
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0)
            return QByteArray();
        inbox.append(buf, static_cast<int>(n));
    }
}

int cseqOf(const QByteArray &r)
{
    const int at = r.indexOf("CSeq:");
    return at < 0 ? -1 : atoi(r.constData() + at + 5);
}

double plainLoopbackMBps(const QByteArray &payload)
{
    uint16_t port = 0;
    const int lfd = listenLoopback(port);
    std::thread writer([&] {
        const int c = ::accept(lfd, nullptr, nullptr);
        sendAll(c, payload.constData(), static_cast<size_t>(payload.size()));
        ::close(c);
    });
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a);
    std::vector<char> buf(256 * 1024);
    qint64 got = 0;
    const auto t0 = Clock::now();
    while (got < payload.size()) {
        const ssize_t n = ::recv(fd, buf.data(), buf.size(), 0);
        if (n <= 0)
            break;
        got += n;
    }
    const double s = std::chrono::duration<double>(Clock::now() - t0).count();
    writer.join();
    ::close(fd);
    ::close(lfd);
    return got / s / 1e6;
}

// The real centre, timing when a message has been dispatched.
class TimingCentre final : public OvManageCenter
{
public:
    void onMessage(QByteArray header, QByteArray body) override
    {
        const qsizetype size = body.size();
        OvManageCenter::onMessage(std::move(header), std::move(body));
        if (size > 1000000) {
            bodyBytes.store(size);
            done.store(Clock::now().time_since_epoch().count());
        }
    }
    std::atomic<Clock::rep> done{0};
    std::atomic<qsizetype> bodyBytes{0};
};

} // namespace

int main()
{
    QLoggingCategory::setFilterRules(QStringLiteral("talkback.dbp.debug=false"));

    QByteArray rows = "[";
    for (int i = 0; i < 100000; ++i) {
        if (i)
            rows += ',';
        rows += "{\"ampWarning\":\"0\",\"fanTemp\":\"55\",\"ip\":\"10.1." + QByteArray::number(i / 250) + "."
            + QByteArray::number(i % 250) + "\",\"maxVol\":\"100\",\"model\":\"3\",\"name\":\"Terminal "
            + QByteArray::number(i) + "\",\"power\":\"1\",\"status\":\"1\",\"temperature\":\"41\",\"terminalId\":\""
            + QByteArray::number(100000 + i) + "\",\"type\":\"6\",\"volume\":\"60\",\"warnTemp\":\"70\"}";
    }
    rows += "]";

    uint16_t port = 0;
    const int lfd = listenLoopback(port);
    std::atomic<Clock::rep> sendStart{0};
    std::thread peer([&] {
        const int c = ::accept(lfd, nullptr, nullptr);
        QByteArray inbox;
        for (;;) {
            const QByteArray r = readRequest(c, inbox);
            if (r.isEmpty())
                break;
            QByteArray head = "DBP/1.0 200 OK\r\nCSeq: " + QByteArray::number(cseqOf(r)) + "\r\n";
            if (r.startsWith("GET ")) {
                head += "Content-Length:" + QByteArray::number(rows.size()) + "\r\n\r\n";
                sendStart.store(Clock::now().time_since_epoch().count());
                sendAll(c, head.constData(), static_cast<size_t>(head.size()));
                sendAll(c, rows.constData(), static_cast<size_t>(rows.size()));
            } else {
                head += "\r\n";
                sendAll(c, head.constData(), static_cast<size_t>(head.size()));
            }
        }
        ::close(c);
    });

    TimingCentre centre;
    TimingCentre *probe = &centre;
    centre.setServerAddress(QStringLiteral("127.0.0.1"), port);
    centre.setCredentials("admin", "admin");
    centre.startReceiveThread();
    while (centre.state() != ConnectionState::LoggedIn)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));

    std::vector<double> consoleRates;
    std::vector<double> loopbackRates;
    OvCommandRequest builder;
    for (int run = 0; run < 5; ++run) {
        probe->done.store(0);
        const int result = centre.request(builder.buildSqlConfig(centre.nextCSeq(), "ipamp", "select * from ipamp"), 77);
        const double seconds = std::chrono::duration<double>(Clock::duration(probe->done.load() - sendStart.load())).count();
        if (result != 0 || probe->bodyBytes.load() != rows.size()) {
            std::printf("run %d failed: result %d, body %lld bytes\n", run, result,
                        static_cast<long long>(probe->bodyBytes.load()));
            std::fflush(stdout);
            std::_Exit(1);
        }
        consoleRates.push_back(rows.size() / seconds / 1e6);
        loopbackRates.push_back(plainLoopbackMBps(rows));
    }
    centre.stopReceiveThread();
    ::shutdown(lfd, SHUT_RDWR);
    peer.join();
    ::close(lfd);

    std::sort(consoleRates.begin(), consoleRates.end());
    std::sort(loopbackRates.begin(), loopbackRates.end());
    const double console = consoleRates[consoleRates.size() / 2];
    const double loopback = loopbackRates[loopbackRates.size() / 2];
    std::printf("list answer: %.1f MB (100,000 rows), median of %zu runs\n", rows.size() / 1e6, consoleRates.size());
    std::printf("  console receive+frame+dispatch: %8.0f MB/s\n", console);
    std::printf("  plain loopback TCP (same run):  %8.0f MB/s\n", loopback);
    std::printf("  ratio console/loopback:         %8.2f\n", console / loopback);
    return 0;
}
