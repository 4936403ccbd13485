#include "media/TcpSocketClient.h"

#include "media/MediaAnswer.h"
#include "media/MediaConnection.h"
#include "media/MediaListing.h"
#include "media/MediaPaths.h"
#include "media/MediaRequests.h"
#include "media/TcpSocketClientThread.h"

#include <QDebug>
#include <QMetaObject>
#include <QThread>

TcpSocketClient::TcpSocketClient(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<OvMediaFile_t>();
    qRegisterMetaType<QList<OvMediaFile_t>>();
    qRegisterMetaType<QList<OvMediaFile_t> *>();
}

TcpSocketClient::~TcpSocketClient() = default;

TcpSocketClient *TcpSocketClient::instance()
{
    static TcpSocketClientThread holder;
    return holder.client();
}

void TcpSocketClient::setTimeouts(const MediaTimeouts &timeouts)
{
    std::lock_guard<std::mutex> lock(m_settingsLock);
    m_timeouts = timeouts;
}

MediaTimeouts TcpSocketClient::timeouts() const
{
    std::lock_guard<std::mutex> lock(m_settingsLock);
    return m_timeouts;
}

void TcpSocketClient::setServer(const QString &host, quint16 port)
{
    std::lock_guard<std::mutex> lock(m_settingsLock);
    m_host = host;
    m_port = port;
}

void TcpSocketClient::setRecordServer(const QString &host, quint16 port)
{
    std::lock_guard<std::mutex> lock(m_settingsLock);
    m_recordHost = host;
    m_recordPort = port == 0 ? kDefaultPort : port;
}

QString TcpSocketClient::mediaRoot() const
{
    std::lock_guard<std::mutex> lock(m_settingsLock);
    return m_mediaRoot;
}

TcpSocketClient::Endpoint TcpSocketClient::mediaEndpoint() const
{
    std::lock_guard<std::mutex> lock(m_settingsLock);
    return {m_host, m_port};
}

TcpSocketClient::Endpoint TcpSocketClient::downloadEndpoint(const QString &serverPath) const
{
    std::lock_guard<std::mutex> lock(m_settingsLock);
    const bool separateHost = !m_recordHost.isEmpty() && m_recordHost != m_host
        && m_recordHost != QLatin1String("127.0.0.1");
    if (MediaPaths::isRecordingPath(serverPath) && separateHost)
        return {m_recordHost, m_recordPort};
    return {m_host, m_port};
}

void TcpSocketClient::enqueue(const FtpWorkItem &item)
{
    {
        std::lock_guard<std::mutex> lock(m_queueLock);
        m_queue.push_back(item);
    }
    QMetaObject::invokeMethod(this, "drainQueue", Qt::QueuedConnection);
}

int TcpSocketClient::pendingCount() const
{
    std::lock_guard<std::mutex> lock(m_queueLock);
    return static_cast<int>(m_queue.size());
}

void TcpSocketClient::requestStop()
{
    m_stop.store(true);
}

void TcpSocketClient::drainQueue()
{
    while (!m_stop.load()) {
        FtpWorkItem item;
        {
            std::lock_guard<std::mutex> lock(m_queueLock);
            if (m_queue.empty())
                return;
            item = m_queue.front();
            m_queue.pop_front();
        }
        run(item);
    }
}

void TcpSocketClient::run(const FtpWorkItem &item)
{
    switch (item.kind) {
    case FtpWorkItem::GetFileRoot: getFileRoot(); break;
    case FtpWorkItem::GetFileList: getFileList(item.path2, item.flag); break;
    case FtpWorkItem::GetFile: getFile(item); break;
    case FtpWorkItem::PostFile: postFile(item); break;
    case FtpWorkItem::Delete: deleteEntry(item); break;
    case FtpWorkItem::Rename: renameEntry(item); break;
    case FtpWorkItem::CreatDir: createDir(item); break;
    default: qDebug() << "unknown file work item kind" << item.kind; break;
    }
}

void TcpSocketClient::setMediaListCompletion(ListCompletion completion)
{
    std::lock_guard<std::mutex> lock(m_listLock);
    m_onMediaList = std::move(completion);
}

void TcpSocketClient::setTaskListCompletion(ListCompletion completion)
{
    std::lock_guard<std::mutex> lock(m_listLock);
    m_onTaskList = std::move(completion);
}

QList<OvMediaFile_t> TcpSocketClient::mediaList() const
{
    std::lock_guard<std::mutex> lock(m_listLock);
    return m_mediaList;
}

QList<OvMediaFile_t> TcpSocketClient::taskMediaList() const
{
    std::lock_guard<std::mutex> lock(m_listLock);
    return m_taskMediaList;
}

void TcpSocketClient::slot_getPathListFinish() {}

void TcpSocketClient::logAnswer(const QByteArray &answer) const
{
    QByteArray json = answer;
    if (json.endsWith(MediaAnswer::terminator()))
        json.chop(MediaAnswer::terminator().size());
    const auto obj = MediaAnswer::parseObject(json);
    if (!obj)
        return;
    qDebug().noquote() << "Command : " + MediaAnswer::text(*obj, "Command");
    qDebug().noquote() << "CSeq : " + MediaAnswer::text(*obj, "CSeq");
}

bool TcpSocketClient::singleExchange(const QByteArray &request, QByteArray *answer, bool flush)
{
    if (request.isEmpty())
        return false;
    const MediaTimeouts t = timeouts();
    const Endpoint ep = mediaEndpoint();
    MediaConnection conn(&m_stop);
    if (!conn.open(ep.host, ep.port, t.connectShort))
        return false;
    if (!conn.write(request, flush ? t.answerShort : 0))
        return false;
    *answer = conn.readOnce(t.answerShort);
    conn.close();
    logAnswer(*answer);
    return !answer->isEmpty();
}

void TcpSocketClient::getFileRoot()
{
    QByteArray answer;
    if (!singleExchange(MediaRequests::getFileRoot(nextSeq()), &answer))
        return;
    if (!answer.endsWith(MediaAnswer::terminator()))
        return;
    answer.chop(MediaAnswer::terminator().size());
    const auto obj = MediaAnswer::parseObject(answer);
    if (!obj || obj->value(QLatin1String("Command")) != QLatin1String("PostFileRoot"))
        return;
    QString root;
    {
        std::lock_guard<std::mutex> lock(m_settingsLock);
        const QJsonValue v = obj->value(QLatin1String("FileRoot"));
        if (v.isString())
            m_mediaRoot = v.toString();
        root = m_mediaRoot;
    }
    qDebug().noquote() << "MediaRoot : " + root;
    emit socketGetMediaPath(root);
}

namespace {

// One GetFileList exchange; false when no complete answer arrived.
bool fetchListing(const QString &host, quint16 port, const QByteArray &request,
                  const MediaTimeouts &t, const std::atomic<bool> *stop,
                  std::optional<QJsonObject> *answer)
{
    if (request.isEmpty())
        return false;
    MediaConnection conn(stop);
    if (!conn.open(host, port, t.connectList) || !conn.write(request, t.answerLong))
        return false;
    QByteArray header;
    QByteArray rest;
    if (!conn.readHeader(t.answerLong, MediaAnswer::kListingCap, &header, &rest))
        return false;
    *answer = MediaAnswer::parseObject(header);
    if (*answer) {
        qDebug().noquote() << "Command : " + MediaAnswer::text(**answer, "Command");
        qDebug().noquote() << "CSeq : " + MediaAnswer::text(**answer, "CSeq");
    }
    return true;
}

} // namespace

void TcpSocketClient::getFileList(const QString &dirPath, int flag)
{
    const Endpoint ep = mediaEndpoint();
    std::optional<QJsonObject> answer;
    if (!fetchListing(ep.host, ep.port, MediaRequests::getFileList(dirPath, nextSeq()),
                      timeouts(), &m_stop, &answer)) {
        emit ftpError(1, MediaPaths::namePart(dirPath), -1);
        return;
    }
    QList<OvMediaFile_t> entries;
    const bool hasList = answer && MediaListing::fromAnswer(*answer, &entries);
    QList<OvMediaFile_t> result;
    ListCompletion completion;
    {
        std::lock_guard<std::mutex> lock(m_listLock);
        QList<OvMediaFile_t> &target = flag == 1 ? m_taskMediaList : m_mediaList;
        if (hasList)
            target = entries;
        result = target;
        completion = flag == 1 ? m_onTaskList : m_onMediaList;
    }
    // Called outside the list lock: the completion takes its own locks.
    if (completion)
        completion(&result);
}

void TcpSocketClient::listNow(const QString &dirPath, int flag)
{
    getFileList(dirPath, flag);
}

int TcpSocketClient::checkSubDirs(const QString &dirPath)
{
    const Endpoint ep = mediaEndpoint();
    std::optional<QJsonObject> answer;
    if (!fetchListing(ep.host, ep.port, MediaRequests::getFileList(dirPath, nextSeq()),
                      timeouts(), &m_stop, &answer))
        return -1;
    QList<OvMediaFile_t> entries;
    if (answer && MediaListing::fromAnswer(*answer, &entries)) {
        for (const OvMediaFile_t &e : entries) {
            if (e.isDir)
                return 1;
        }
    }
    return 0;
}
