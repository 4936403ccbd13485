#pragma once

#include <QByteArray>
#include <QByteArrayList>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// A DBP server that plays a script, for the connection's own rules (answer
// matching, time limits, broken peers). It frames requests with its own small
// parser and runs on a thread of its own, on 127.0.0.1 and a free port.
class ScriptedPeer
{
public:
    enum class Reply { Ok, Failed, Silent };

    ScriptedPeer();
    ~ScriptedPeer();
    ScriptedPeer(const ScriptedPeer &) = delete;
    ScriptedPeer &operator=(const ScriptedPeer &) = delete;

    quint16 port() const { return m_port; }

    // How the peer answers LOGIN, ONLINE and everything else.
    void setLoginReply(Reply r) { m_loginReply = r; }
    void setKeepAliveReply(Reply r) { m_keepAliveReply = r; }
    void setDefaultReply(Reply r) { m_defaultReply = r; }
    // Replaces the default answer: returns the texts to send for a request.
    void setHandler(std::function<QByteArrayList(const QByteArray &request)> handler);

    void send(const QByteArray &text);
    void closeClient();

    // Requests received so far, whole texts in arrival order.
    QByteArrayList received() const;
    int count(const QByteArray &firstLine) const;
    // Blocks (up to timeoutMs) until `n` requests starting with firstLine arrived.
    bool waitFor(const QByteArray &firstLine, int n, int timeoutMs = 10000) const;

    static int cseqOf(const QByteArray &request);
    static QByteArray answer(bool ok, int cseq, const QByteArray &body = QByteArray());

private:
    void run();
    void handleRequest(const QByteArray &request);
    void wake();

    int m_listenFd = -1;
    int m_wakePipe[2] = {-1, -1};
    quint16 m_port = 0;
    std::atomic<Reply> m_loginReply{Reply::Ok};
    std::atomic<Reply> m_keepAliveReply{Reply::Ok};
    std::atomic<Reply> m_defaultReply{Reply::Ok};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_closeClient{false};

    mutable std::mutex m_lock;
    mutable std::condition_variable m_arrived;
    std::function<QByteArrayList(const QByteArray &)> m_handler;
    std::deque<QByteArray> m_outgoing;
    QByteArrayList m_received;
    std::thread m_thread;
};
