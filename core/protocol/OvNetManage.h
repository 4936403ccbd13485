#pragma once

#include "protocol/OvServerRequest.h"
#include "protocol/PosixSocket.h"
#include "protocol/RequestResult.h"
#include "protocol/StreamFramer.h"
#include "protocol/UserRecord.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <deque>
#include <cstdint>
#include <functional>
#include <list>
#include <mutex>
#include <thread>

enum class ConnectionState : int { NotStarted = 0, Connected = 1, LoggedIn = 2, Closed = 5 };

struct PendingRequest
{
    int cseq = 0;
    int requestCode = 0;
    // When the request was entered (clock seconds): an entry older than the
    // answer limit is dropped before a new request is sent.
    qint64 sentAt = 0;
    // Set while the dispatcher hands the answer to the managers; the entry
    // leaves the table only afterwards, so a waiting request sees their effects.
    bool completing = false;
};

// Owns the one DBP connection: socket, CSeq counter, the table of requests
// waiting for an answer, the stream framer and the receive thread.
class OvNetManage
{
public:
    static constexpr int kConnectTimeoutMs = 3000;
    static constexpr int kReadWaitMs = 200;
    static constexpr int kTurnSleepMs = 10;
    // A request whose answer has not come after more than 2 whole seconds
    // has timed out. While a message is still being received (bytes of a
    // partly framed message keep arriving), the limit runs from its latest
    // bytes, so a large list answer on a slow link is not cut off; but no
    // request waits more than 30 seconds in all, whatever arrives.
    static constexpr qint64 kAnswerLimitSeconds = 2;
    static constexpr qint64 kAnswerCapSeconds = 30;
    // A turn drains the socket but yields to the login step after this much.
    static constexpr qsizetype kMaxBytesPerTurn = 8 * 1024 * 1024;

    using LossCallback = std::function<void()>;
    // Runs pending events while a synchronous request waits (GUI thread).
    using EventPump = std::function<void()>;

    OvNetManage();
    virtual ~OvNetManage();
    OvNetManage(const OvNetManage &) = delete;
    OvNetManage &operator=(const OvNetManage &) = delete;

    virtual void runReceiveLoop() = 0;
    virtual void onConnected();
    virtual void onLoginResult(bool ok);
    virtual void stop();
    virtual void onAnswer(int requestCode, bool ok);
    virtual void onUnmatchedAnswer(int cseq, bool ok);
    // One complete message, framed as header block and body; the body's
    // bytes are taken over.
    virtual void onMessage(QByteArray header, QByteArray body) = 0;
    virtual int login() = 0;

    int nextCSeq();
    void setServerAddress(const QString &ipText, int port);
    void setCredentials(const QByteArray &user, const QByteArray &password);
    int connectToServer();
    int sendText(const QByteArray &text);
    int sendAndRegister(const QByteArray &text, int requestCode);
    // The keep-alive's variant: 4 at once when the connection is closed.
    int sendAndRegisterIfOpen(const QByteArray &text, int requestCode);
    RequestResult request(const QByteArray &text, int requestCode);
    int completeRequest(int cseq, bool ok);
    void closeSocket();

    // Starts a new receive thread for a new connection attempt; a previous
    // one is stopped and joined first.
    void startReceiveThread();
    // Stops the receive thread and waits for it.
    void stopReceiveThread();

    ConnectionState state() const { return m_state.load(); }
    bool stopRequested() const { return m_stopFlag.load(); }
    size_t pendingCount() const;
    // Bytes read from the peer over the run (tests wait on it).
    quint64 bytesReceived() const { return m_bytesReceived.load(); }
    QString serverIpText() const;
    int serverPort() const { return m_serverPort.load(); }
    UserRecord loginRecord() const;

    void setLossCallback(LossCallback callback) { m_lossCallback = std::move(callback); }
    void setEventPump(EventPump pump) { m_eventPump = std::move(pump); }

protected:
    // Reads what the peer has sent: waits up to 200 ms, then drains the socket
    // and feeds the framer. Returns bytes read, 0 for none, -1 when the
    // connection is broken (error, closed by the peer, oversized message).
    qsizetype receiveAvailable();
    // Runs on the caller's thread just before a new receive thread starts.
    virtual void beforeReceiveThread() {}
    void setState(ConnectionState s) { m_state.store(s); }
    void clearStopFlag() { m_stopFlag.store(false); }
    // Starts the framing afresh for a new connection (receive thread).
    void resetFramer();
    // Gives a dispatched body back to the framer for reuse.
    void recycleBody(QByteArray &&body) { m_framer.recycle(std::move(body)); }
    LossCallback lossCallback() const { return m_lossCallback; }

private:
    void pumpEvents();
    void removePending(int cseq);
    bool entryPending(int cseq) const;
    // Whether a request entered at `sentAt` has waited past the answer limit.
    bool answerOverdue(qint64 sentAt) const;
    // Drops table entries whose answer is overdue; the one being completed stays.
    void dropOverdueEntries();
    void clearRequestTable();

    mutable std::mutex m_lock;  // counter, request table, credentials, address
    std::mutex m_sendLock;      // one writer on the socket at a time
    PosixSocket m_socket;
    int m_nextSeq = 1;
    std::list<PendingRequest> m_requestTable;
    StreamFramer m_framer;
    LossCallback m_lossCallback;
    EventPump m_eventPump;
    UserRecord m_loginRecord;
    uint32_t m_serverAddress = 0;
    bool m_serverAddressValid = false;
    QString m_serverIpText;
    std::atomic<int> m_serverPort{0};
    std::atomic<ConnectionState> m_state{ConnectionState::NotStarted};
    std::atomic<bool> m_stopFlag{false};
    // When the last bytes arrived, and whether they left a message partly
    // framed: only then does the answer limit run from the latest bytes.
    std::atomic<qint64> m_lastArrival{0};
    std::atomic<bool> m_messageInProgress{false};
    std::atomic<quint64> m_bytesReceived{0};
    // Outcomes of the latest completed requests by CSeq (guarded by m_lock):
    // a synchronous request takes its own, never that of a keep-alive
    // answered after it.
    std::deque<std::pair<int, bool>> m_outcomes;
    std::thread m_receiveThread;
};
