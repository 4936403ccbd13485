#include "media/MediaConnection.h"

#include "media/MediaAnswer.h"

#include <QDeadlineTimer>
#include <QHostInfo>

#include <cerrno>
#include <cstring>

#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// How long one wait may run before the stop flag is looked at again.
constexpr int kSliceMs = 50;

int sliceOf(const QDeadlineTimer &deadline)
{
    return static_cast<int>(qBound<qint64>(0, deadline.remainingTime(), kSliceMs));
}

// A non-blocking connect, so that the wait for it can be cut into slices:
// the socket class's own connect wait gives up on the first time-out.
// Returns the connected descriptor, or -1.
int connectOne(const QHostAddress &address, quint16 port, const QDeadlineTimer &deadline,
               const std::atomic<bool> *stop)
{
    sockaddr_storage storage{};
    socklen_t length = 0;
    if (address.protocol() == QAbstractSocket::IPv4Protocol) {
        auto *in = reinterpret_cast<sockaddr_in *>(&storage);
        in->sin_family = AF_INET;
        in->sin_port = htons(port);
        in->sin_addr.s_addr = htonl(address.toIPv4Address());
        length = sizeof(sockaddr_in);
    } else if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        auto *in6 = reinterpret_cast<sockaddr_in6 *>(&storage);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(port);
        const Q_IPV6ADDR bytes = address.toIPv6Address();
        std::memcpy(&in6->sin6_addr, bytes.c, sizeof(bytes.c));
        // A link-local address names its interface by number or by name.
        const QString scopeId = address.scopeId();
        bool numeric = false;
        const uint scope = scopeId.toUInt(&numeric);
        if (numeric)
            in6->sin6_scope_id = scope;
        else if (!scopeId.isEmpty())
            in6->sin6_scope_id = ::if_nametoindex(scopeId.toLatin1().constData());
        length = sizeof(sockaddr_in6);
    } else {
        return -1;
    }
    const int fd = ::socket(storage.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (::connect(fd, reinterpret_cast<sockaddr *>(&storage), length) == 0)
        return fd;
    if (errno != EINPROGRESS) {
        ::close(fd);
        return -1;
    }
    for (;;) {
        if ((stop && stop->load()) || deadline.hasExpired())
            break;
        pollfd p{fd, POLLOUT, 0};
        const int ready = ::poll(&p, 1, sliceOf(deadline));
        if (ready < 0 && errno != EINTR)
            break;
        if (ready > 0) {
            int error = 0;
            socklen_t size = sizeof(error);
            if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0)
                break;
            return fd;
        }
    }
    ::close(fd);
    return -1;
}

} // namespace

bool MediaConnection::open(const QString &host, quint16 port, int connectMs)
{
    QHostAddress literal;
    if (literal.setAddress(host))
        return connectTo({literal}, port, connectMs);
    // A name is looked up first; the lookup itself cannot be cut short, but
    // the console is given addresses, and local names resolve at once.
    return connectTo(QHostInfo::fromName(host).addresses(), port, connectMs);
}

bool MediaConnection::connectTo(const QList<QHostAddress> &addresses, quint16 port, int connectMs)
{
    const QDeadlineTimer deadline(qMax(0, connectMs));
    for (const QHostAddress &address : addresses) {
        if (stopped() || deadline.hasExpired())
            return false;
        const int fd = connectOne(address, port, deadline, m_stop);
        if (fd < 0)
            continue;
        if (m_socket.setSocketDescriptor(fd, QAbstractSocket::ConnectedState,
                                         QIODevice::ReadWrite))
            return true;
        ::close(fd);
        return false;
    }
    return false;
}

bool MediaConnection::write(const QByteArray &bytes, int waitMs)
{
    if (stopped() || m_socket.state() != QAbstractSocket::ConnectedState)
        return false;
    if (m_socket.write(bytes) != bytes.size())
        return false;
    const QDeadlineTimer deadline(qMax(0, waitMs));
    while (waitMs > 0 && m_socket.bytesToWrite() > 0) {
        if (stopped() || deadline.hasExpired())
            return false;
        if (!m_socket.waitForBytesWritten(qMax(1, sliceOf(deadline)))
            && m_socket.state() != QAbstractSocket::ConnectedState)
            return false;
    }
    return true;
}

MediaConnection::Read MediaConnection::readSome(qint64 max, int waitMs, QByteArray *out)
{
    const QDeadlineTimer deadline(qMax(0, waitMs));
    while (m_socket.bytesAvailable() == 0) {
        if (stopped())
            return Read::Stopped;
        if (m_socket.state() != QAbstractSocket::ConnectedState)
            return Read::Closed;
        if (deadline.hasExpired())
            return Read::TimedOut;
        m_socket.waitForReadyRead(qMax(1, sliceOf(deadline)));
    }
    *out = m_socket.read(max);
    return Read::Data;
}

QByteArray MediaConnection::readOnce(int waitMs)
{
    QByteArray data;
    readSome(MediaAnswer::kHeaderCap, waitMs, &data);
    return data;
}

bool MediaConnection::readHeader(int waitMs, int cap, QByteArray *header, QByteArray *rest)
{
    QByteArray buf;
    for (;;) {
        int size = 0;
        switch (MediaAnswer::findHeader(buf, cap, &size)) {
        case MediaAnswer::Frame::Complete:
            *header = buf.left(size - MediaAnswer::terminator().size());
            *rest = buf.mid(size);
            return true;
        case MediaAnswer::Frame::TooLarge:
            return false;
        case MediaAnswer::Frame::Incomplete:
            break;
        }
        QByteArray piece;
        if (readSome(cap - buf.size(), waitMs, &piece) != Read::Data)
            return false;
        buf += piece;
    }
}

void MediaConnection::close()
{
    m_socket.abort();
}
