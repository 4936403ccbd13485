#include "ScriptedPeer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

ScriptedPeer::ScriptedPeer()
{
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_listenFd, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
    ::listen(m_listenFd, 4);
    socklen_t len = sizeof addr;
    ::getsockname(m_listenFd, reinterpret_cast<sockaddr *>(&addr), &len);
    m_port = ntohs(addr.sin_port);
    if (::pipe2(m_wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        m_wakePipe[0] = m_wakePipe[1] = -1;
    m_thread = std::thread([this] { run(); });
}

ScriptedPeer::~ScriptedPeer()
{
    m_stop = true;
    wake();
    m_thread.join();
    ::close(m_listenFd);
    ::close(m_wakePipe[0]);
    ::close(m_wakePipe[1]);
}

void ScriptedPeer::wake()
{
    const char c = 'w';
    if (::write(m_wakePipe[1], &c, 1) < 0) {
        // A full pipe already wakes the thread.
    }
}

void ScriptedPeer::setHandler(std::function<QByteArrayList(const QByteArray &)> handler)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_handler = std::move(handler);
}

void ScriptedPeer::send(const QByteArray &text)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_outgoing.push_back(text);
    }
    wake();
}

void ScriptedPeer::closeClient()
{
    m_closeClient = true;
    wake();
}

QByteArrayList ScriptedPeer::received() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_received;
}

int ScriptedPeer::count(const QByteArray &firstLine) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    int n = 0;
    for (const QByteArray &r : m_received)
        n += r.startsWith(firstLine) ? 1 : 0;
    return n;
}

bool ScriptedPeer::waitFor(const QByteArray &firstLine, int n, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_lock);
    return m_arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        int seen = 0;
        for (const QByteArray &r : m_received)
            seen += r.startsWith(firstLine) ? 1 : 0;
        return seen >= n;
    });
}

int ScriptedPeer::cseqOf(const QByteArray &request)
{
    const int at = request.indexOf("CSeq:");
    if (at < 0)
        return -1;
    int p = at + 5;
    while (p < request.size() && request.at(p) == ' ')
        ++p;
    int end = p;
    while (end < request.size() && std::isdigit(static_cast<unsigned char>(request.at(end))))
        ++end;
    return request.mid(p, end - p).toInt();
}

QByteArray ScriptedPeer::answer(bool ok, int cseq, const QByteArray &body)
{
    QByteArray text = ok ? "DBP/1.0 200 OK\r\n" : "DBP/1.0 400 FAILED\r\n";
    text += "CSeq: " + QByteArray::number(cseq) + "\r\n";
    if (!body.isEmpty())
        text += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    return text + "\r\n" + body;
}

void ScriptedPeer::handleRequest(const QByteArray &request)
{
    std::function<QByteArrayList(const QByteArray &)> handler;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_received.append(request);
        handler = m_handler;
    }
    m_arrived.notify_all();

    Reply reply = m_defaultReply;
    if (request.startsWith("LOGIN "))
        reply = m_loginReply;
    else if (request.startsWith("ONLINE "))
        reply = m_keepAliveReply;
    else if (handler) {
        for (const QByteArray &text : handler(request))
            send(text);
        return;
    }
    if (reply != Reply::Silent)
        send(answer(reply == Reply::Ok, cseqOf(request)));
}

void ScriptedPeer::run()
{
    int client = -1;
    QByteArray inbox;
    while (!m_stop) {
        if (m_closeClient.exchange(false) && client >= 0) {
            ::close(client);
            client = -1;
            inbox.clear();
        }
        pollfd fds[3] = {{m_listenFd, POLLIN, 0}, {m_wakePipe[0], POLLIN, 0}, {client, POLLIN, 0}};
        if (::poll(fds, client >= 0 ? 3 : 2, 100) < 0 && errno != EINTR)
            break;
        if (fds[1].revents & POLLIN) {
            char drain[64];
            while (::read(m_wakePipe[0], drain, sizeof drain) > 0) {
            }
        }
        if (fds[0].revents & POLLIN) {
            const int accepted = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (accepted >= 0) {
                if (client >= 0)
                    ::close(client);
                client = accepted;
                inbox.clear();
            }
        }
        if (client >= 0 && (fds[2].revents & (POLLIN | POLLHUP | POLLERR))) {
            char buf[65536];
            const ssize_t n = ::recv(client, buf, sizeof buf, 0);
            if (n <= 0) {
                ::close(client);
                client = -1;
                inbox.clear();
            } else {
                inbox.append(buf, static_cast<int>(n));
            }
            // Frame: header block, then Content-Length bytes.
            for (;;) {
                const int end = inbox.indexOf("\r\n\r\n");
                if (end < 0)
                    break;
                int length = 0;
                const int at = inbox.left(end).indexOf("Content-Length:");
                if (at >= 0)
                    length = inbox.mid(at + 15, end - at - 15).trimmed().split('\r').value(0).toInt();
                if (inbox.size() < end + 4 + length)
                    break;
                const QByteArray request = inbox.left(end + 4 + length);
                inbox.remove(0, end + 4 + length);
                handleRequest(request);
            }
        }
        std::deque<QByteArray> out;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            out.swap(m_outgoing);
        }
        for (const QByteArray &text : out) {
            if (client < 0)
                continue;
            const char *p = text.constData();
            qsizetype left = text.size();
            while (left > 0) {
                const ssize_t n = ::send(client, p, static_cast<size_t>(left), MSG_NOSIGNAL);
                if (n < 0) {
                    if (errno == EINTR)
                        continue;
                    break;
                }
                p += n;
                left -= n;
            }
        }
    }
    if (client >= 0)
        ::close(client);
}
