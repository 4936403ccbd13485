#include "protocol/OvNetManage.h"

#include "protocol/OvMgrMsg.h"
#include "protocol/ProtocolLog.h"
#include "util/Clock.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QThread>

#include <algorithm>
#include <chrono>

Q_LOGGING_CATEGORY(lcDbp, "talkback.dbp")

OvNetManage::OvNetManage() = default;

OvNetManage::~OvNetManage()
{
    // The derived class stops the thread before its own members go; this is
    // the last line of defence for a thread that was never started there.
    if (m_receiveThread.joinable()) {
        m_stopFlag.store(true);
        m_receiveThread.join();
    }
    closeSocket();
}

void OvNetManage::onConnected() {}

void OvNetManage::onLoginResult(bool ok)
{
    if (ok)
        setState(ConnectionState::LoggedIn);
    else
        m_stopFlag.store(true);
}

void OvNetManage::stop()
{
    m_stopFlag.store(true);
}

void OvNetManage::onAnswer(int, bool) {}

void OvNetManage::onUnmatchedAnswer(int, bool) {}

int OvNetManage::nextCSeq()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_nextSeq++;
}

void OvNetManage::setServerAddress(const QString &ipText, int port)
{
    uint32_t address = 0;
    const bool valid = PosixSocket::parseIPv4(ipText.toLatin1(), address);
    std::lock_guard<std::mutex> guard(m_lock);
    m_serverIpText = ipText;
    m_serverPort.store(port);
    m_serverAddress = valid ? address : 0;
    m_serverAddressValid = valid;
}

void OvNetManage::setCredentials(const QByteArray &user, const QByteArray &password)
{
    std::lock_guard<std::mutex> guard(m_lock);
    // Kept whole: cutting a long name would log in as somebody else.
    m_loginRecord.name = user;
    m_loginRecord.password = password;
}

QString OvNetManage::serverIpText() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_serverIpText;
}

UserRecord OvNetManage::loginRecord() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_loginRecord;
}

int OvNetManage::connectToServer()
{
    uint32_t address;
    bool valid;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        address = m_serverAddress;
        valid = m_serverAddressValid;
    }
    const int port = m_serverPort.load();
    closeSocket();
    if (!valid || port <= 0 || port > 65535
        || !m_socket.connectTo(address, static_cast<uint16_t>(port), kConnectTimeoutMs)) {
        m_stopFlag.store(true);
        return -1;
    }
    return 0;
}

void OvNetManage::closeSocket()
{
    std::lock_guard<std::mutex> guard(m_sendLock);
    m_socket.close();
}

void OvNetManage::resetFramer()
{
    m_framer.reset();
    m_messageInProgress.store(false);
}

qsizetype OvNetManage::receiveAvailable()
{
    if (!m_socket.isOpen())
        return 0;
    switch (m_socket.waitReadable(kReadWaitMs)) {
    case PosixSocket::Wait::TimedOut:
        return 0;
    case PosixSocket::Wait::Error:
        return -1;
    case PosixSocket::Wait::Readable:
        break;
    }
    static thread_local std::vector<char> buffer(256 * 1024);
    const StreamFramer::Handler dispatch = [this](QByteArray &&header, QByteArray &&body) {
        onMessage(std::move(header), std::move(body));
    };
    qsizetype total = 0;
    while (total < kMaxBytesPerTurn) {
        // A body in progress is read straight into its message.
        qsizetype room = 0;
        char *direct = m_framer.bodySpace(room);
        char *into = direct ? direct : buffer.data();
        const qsizetype capacity = direct ? std::min<qsizetype>(room, kMaxBytesPerTurn)
                                          : static_cast<qsizetype>(buffer.size());
        const qsizetype n = m_socket.readAvailable(into, capacity);
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        total += n;
        m_lastArrival.store(Clock::instance().nowSeconds());
        if (lcDbp().isDebugEnabled()) {
            // A read now drains up to 256 KiB; the log keeps the first 4 KiB
            // of it, as much as one read used to take, and the exact length.
            const int shown = static_cast<int>(std::min<qsizetype>(n, 4096));
            qCDebug(lcDbp, "\r\n%s[len = %d]\r\n", QByteArray(into, shown).constData(), static_cast<int>(n));
        }
        if (direct) {
            m_framer.commitBody(n, dispatch);
        } else if (m_framer.feed(into, n, dispatch) == StreamFramer::Status::Oversized) {
            qCWarning(lcDbp, "message over the size limit; closing the connection");
            return -1;
        }
        m_messageInProgress.store(m_framer.buffered() > 0);
        // Counted once the bytes have been framed and dispatched.
        m_bytesReceived.fetch_add(static_cast<quint64>(n));
    }
    return total;
}

int OvNetManage::sendText(const QByteArray &text)
{
    if (lcDbp().isDebugEnabled())
        qCDebug(lcDbp, "%s", protocolLogCopy(text).constData());
    std::lock_guard<std::mutex> guard(m_sendLock);
    return m_socket.sendAll(text.constData(), text.size()) ? 0 : -1;
}

int OvNetManage::sendAndRegister(const QByteArray &text, int requestCode)
{
    // Registered before the bytes leave, so an answer always finds its entry;
    // the table lock is not held across the (possibly blocking) send.
    const int cseq = cseqOfText(text);
    const qint64 now = Clock::instance().nowSeconds();
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_requestTable.push_back(PendingRequest{cseq, requestCode, now, false});
    }
    if (sendText(text) != 0) {
        removePending(cseq);
        return NotConnected;
    }
    return Done;
}

int OvNetManage::sendAndRegisterIfOpen(const QByteArray &text, int requestCode)
{
    if (state() == ConnectionState::Closed)
        return NotConnected;
    return sendAndRegister(text, requestCode);
}

void OvNetManage::removePending(int cseq)
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto it = std::find_if(m_requestTable.begin(), m_requestTable.end(),
                           [cseq](const PendingRequest &p) { return p.cseq == cseq && !p.completing; });
    if (it != m_requestTable.end())
        m_requestTable.erase(it);
}

size_t OvNetManage::pendingCount() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_requestTable.size();
}

void OvNetManage::pumpEvents()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(kTurnSleepMs));
    if (m_eventPump) {
        m_eventPump();
        return;
    }
    QCoreApplication *app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool OvNetManage::answerOverdue(qint64 sentAt) const
{
    const qint64 now = Clock::instance().nowSeconds();
    if (now - sentAt > kAnswerCapSeconds)
        return true;
    // Bytes of finished messages (notifications, other answers) do not
    // extend the limit: only a message still being framed may be the answer.
    qint64 since = sentAt;
    if (m_messageInProgress.load())
        since = std::max(since, m_lastArrival.load());
    return now - since > kAnswerLimitSeconds;
}

void OvNetManage::dropOverdueEntries()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_requestTable.remove_if(
        [this](const PendingRequest &p) { return !p.completing && answerOverdue(p.sentAt); });
}

void OvNetManage::clearRequestTable()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_requestTable.clear();
}

bool OvNetManage::entryPending(int cseq) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return std::any_of(m_requestTable.begin(), m_requestTable.end(),
                       [cseq](const PendingRequest &p) { return p.cseq == cseq; });
}

RequestResult OvNetManage::request(const QByteArray &text, int requestCode)
{
    if (state() == ConnectionState::Closed)
        return NotConnected;
    // An entry older than the answer limit is a keep-alive or login whose
    // answer was lost or unreadable ("400 Error"), or a request that has
    // already returned 3: it must not hold every later request.
    for (;;) {
        dropOverdueEntries();
        if (pendingCount() == 0)
            break;
        pumpEvents();
        if (state() == ConnectionState::Closed)
            return NotConnected;
    }
    if (pendingCount() != 0)
        return Busy;

    OvMgrMsg::instance().clear();
    const int ownCSeq = cseqOfText(text);
    if (sendAndRegister(text, requestCode) != Done)
        return NotConnected;

    const qint64 waitStart = Clock::instance().nowSeconds();
    // The wait ends with this request's own answer: the outcome of a
    // keep-alive sent meanwhile is neither waited for nor taken for it.
    while (entryPending(ownCSeq)) {
        pumpEvents();
        if (answerOverdue(waitStart)) {
            std::lock_guard<std::mutex> guard(m_lock);
            const auto own = std::find_if(m_requestTable.begin(), m_requestTable.end(),
                                          [ownCSeq](const PendingRequest &p) { return p.cseq == ownCSeq; });
            // The answer may have come in the same moment: one being handed
            // to the managers, or already handled, is not a timeout.
            if (own == m_requestTable.end())
                break;
            if (!own->completing) {
                m_requestTable.clear();
                return TimedOut;
            }
        }
        // A server that answers and then closes (a restart after a restore)
        // has still answered: the outcome counts when the answer was handled.
        if (state() == ConnectionState::Closed && entryPending(ownCSeq))
            return NotConnected;
    }
    std::lock_guard<std::mutex> guard(m_lock);
    for (auto it = m_outcomes.rbegin(); it != m_outcomes.rend(); ++it) {
        if (it->first == ownCSeq)
            return it->second ? Done : Refused;
    }
    return Done;  // the table was emptied without an answer being recorded
}

int OvNetManage::completeRequest(int cseq, bool ok)
{
    bool tableWasEmpty = false;
    int requestCode = 0;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_requestTable.empty()) {
            tableWasEmpty = true;
        } else {
            auto it = std::find_if(m_requestTable.begin(), m_requestTable.end(),
                                   [cseq](const PendingRequest &p) { return p.cseq == cseq && !p.completing; });
            if (it == m_requestTable.end())
                return -1;
            it->completing = true;
            requestCode = it->requestCode;
        }
    }
    if (tableWasEmpty) {
        // Called after the table lock is released, so the handler may take
        // its own lock without two ever being held together.
        onUnmatchedAnswer(cseq, ok);
        return -1;
    }
    onAnswer(requestCode, ok);
    {
        std::lock_guard<std::mutex> guard(m_lock);
        auto it = std::find_if(m_requestTable.begin(), m_requestTable.end(),
                               [cseq](const PendingRequest &p) { return p.cseq == cseq && p.completing; });
        if (it != m_requestTable.end()) {
            m_requestTable.erase(it);
            m_outcomes.emplace_back(cseq, ok);
            if (m_outcomes.size() > 32)
                m_outcomes.pop_front();
        }
    }
    return 0;
}

void OvNetManage::startReceiveThread()
{
    stopReceiveThread();
    // Entries of an earlier connection will never be answered on this one.
    clearRequestTable();
    // Set here, not only by the thread, so a caller polling the state right
    // after the start never reads the previous connection's Closed.
    m_stopFlag.store(false);
    setState(ConnectionState::Connected);
    beforeReceiveThread();
    m_receiveThread = std::thread([this] { runReceiveLoop(); });
}

void OvNetManage::stopReceiveThread()
{
    if (!m_receiveThread.joinable())
        return;
    m_stopFlag.store(true);
    m_receiveThread.join();
}
