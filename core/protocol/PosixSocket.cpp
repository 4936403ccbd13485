#include "protocol/PosixSocket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

bool setNonBlocking(int fd, bool on)
{
    const int flags = ::fcntl(fd, F_GETFL, 0);
    if (flags < 0)
        return false;
    return ::fcntl(fd, F_SETFL, on ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK)) == 0;
}

} // namespace

bool PosixSocket::parseIPv4(const QByteArray &text, uint32_t &address)
{
    in_addr parsed{};
    if (::inet_pton(AF_INET, text.constData(), &parsed) != 1)
        return false;
    address = ntohl(parsed.s_addr);
    return true;
}

bool PosixSocket::connectTo(uint32_t address, uint16_t port, int timeoutMs)
{
    close();
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    target.sin_addr.s_addr = htonl(address);

    bool connected = false;
    if (setNonBlocking(fd, true)) {
        int rc = ::connect(fd, reinterpret_cast<const sockaddr *>(&target), sizeof target);
        if (rc == 0) {
            connected = true;
        } else if (errno == EINPROGRESS) {
            pollfd p{fd, POLLOUT, 0};
            do {
                rc = ::poll(&p, 1, timeoutMs);
            } while (rc < 0 && errno == EINTR);
            if (rc == 1) {
                int error = 0;
                socklen_t len = sizeof error;
                connected = ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) == 0 && error == 0;
            }
        }
    }
    if (connected)
        connected = setNonBlocking(fd, false);
    if (!connected) {
        ::close(fd);
        return false;
    }
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    m_fd.store(fd);
    return true;
}

void PosixSocket::close()
{
    const int fd = m_fd.exchange(-1);
    if (fd >= 0)
        ::close(fd);
}

PosixSocket::Wait PosixSocket::waitReadable(int timeoutMs) const
{
    const int fd = m_fd.load();
    if (fd < 0)
        return Wait::Error;
    pollfd p{fd, POLLIN, 0};
    int rc;
    do {
        rc = ::poll(&p, 1, timeoutMs);
    } while (rc < 0 && errno == EINTR);
    if (rc < 0)
        return Wait::Error;
    return rc == 0 ? Wait::TimedOut : Wait::Readable;
}

qsizetype PosixSocket::readAvailable(char *buffer, qsizetype capacity) const
{
    const int fd = m_fd.load();
    if (fd < 0)
        return -1;
    ssize_t n;
    do {
        n = ::recv(fd, buffer, static_cast<size_t>(capacity), MSG_DONTWAIT);
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        return (errno == EAGAIN || errno == EWOULDBLOCK) ? 0 : -1;
    if (n == 0)
        return -1;
    return n;
}

bool PosixSocket::sendAll(const char *data, qsizetype length) const
{
    const int fd = m_fd.load();
    if (fd < 0)
        return false;
    while (length > 0) {
        const ssize_t n = ::send(fd, data, static_cast<size_t>(length), MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        length -= n;
    }
    return true;
}
