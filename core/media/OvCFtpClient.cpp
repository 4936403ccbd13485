#include "media/OvCFtpClient.h"

#include "media/FtpWorkItem.h"
#include "media/MediaPaths.h"
#include "media/TcpSocketClient.h"

#include <QMetaObject>

OvCFtpClient::OvCFtpClient(TcpSocketClient *worker, QObject *parent)
    : QObject(parent)
    , m_worker(worker)
{
    if (!m_worker)
        return;
    // A listing queued behind an upload completes through the media list
    // even before a screen has asked for one itself.
    m_worker->setMediaListCompletion([this](QList<OvMediaFile_t> *l) { listFinished(l, false); });
    m_worker->setTaskListCompletion([this](QList<OvMediaFile_t> *l) { listFinished(l, true); });
}

OvCFtpClient::~OvCFtpClient()
{
    if (m_worker) {
        m_worker->setMediaListCompletion(nullptr);
        m_worker->setTaskListCompletion(nullptr);
    }
}

std::mutex &OvCFtpClient::listMutex()
{
    static std::mutex mutex;
    return mutex;
}

int OvCFtpClient::queue(int kind, int flag, const QString &path1, const QString &path2, int id)
{
    if (!m_worker)
        return -1;
    FtpWorkItem item;
    item.id = id;
    item.kind = kind;
    item.flag = flag;
    item.path1 = path1;
    item.path2 = path2;
    m_worker->enqueue(item);
    return 0;
}

int OvCFtpClient::deleteDir(const QString &serverPath)
{
    return queue(FtpWorkItem::Delete, 1, QString(), serverPath);
}

int OvCFtpClient::deleteFile(const QString &serverPath)
{
    return queue(FtpWorkItem::Delete, 0, QString(), serverPath);
}

int OvCFtpClient::download(const QString &serverPath, const QString &localPath, int id)
{
    return queue(FtpWorkItem::GetFile, 0, serverPath, localPath, id);
}

int OvCFtpClient::makeDir(const QString &serverPath)
{
    return queue(FtpWorkItem::CreatDir, 0, QString(), serverPath);
}

int OvCFtpClient::rename(const QString &oldPath, const QString &newPath, bool isDir)
{
    return queue(FtpWorkItem::Rename, isDir ? 1 : 0, oldPath, newPath);
}

int OvCFtpClient::upload(const QString &localPath, const QString &serverPath, int id)
{
    if (queue(FtpWorkItem::PostFile, 0, localPath, serverPath, id) != 0)
        return -1;
    // Listed right behind the upload, so the table shows the new file once
    // it has gone through.
    if (serverPath.indexOf(QLatin1Char('/'), 1) >= 0)
        queue(FtpWorkItem::GetFileList, 0, QString(), MediaPaths::dirPart(serverPath));
    return 0;
}

int OvCFtpClient::listMedia(const QString &dirPath)
{
    if (!m_worker)
        return -1;
    {
        std::lock_guard<std::mutex> lock(listMutex());
        m_mediaCopy.clear();
    }
    m_worker->setMediaListCompletion([this](QList<OvMediaFile_t> *l) { listFinished(l, false); });
    return queue(FtpWorkItem::GetFileList, 0, QString(), dirPath);
}

int OvCFtpClient::listTaskMedia(const QString &dirPath)
{
    if (!m_worker)
        return -1;
    {
        std::lock_guard<std::mutex> lock(listMutex());
        m_taskCopy.clear();
    }
    m_worker->setTaskListCompletion([this](QList<OvMediaFile_t> *l) { listFinished(l, true); });
    m_worker->listNow(dirPath, 1);
    return 0;
}

void OvCFtpClient::listFinished(QList<OvMediaFile_t> *list, bool task)
{
    QList<OvMediaFile_t> *copy = task ? &m_taskCopy : &m_mediaCopy;
    {
        std::lock_guard<std::mutex> lock(listMutex());
        *copy = *list;
    }
    QPointer<QObject> view;
    {
        std::lock_guard<std::mutex> lock(m_viewLock);
        view = task ? m_taskView : m_mediaView;
    }
    if (view) {
        QMetaObject::invokeMethod(view, "getDirListFinished", Qt::QueuedConnection,
                                  Q_ARG(QList<OvMediaFile_t> *, copy));
    }
    if (task)
        emit taskMediaListReady(*list);
    else
        emit mediaListReady(*list);
}

int OvCFtpClient::connectServer(const QString &, int) { return -1; }
int OvCFtpClient::login(const QString &, const QString &) { return -1; }
int OvCFtpClient::listLocal(const QString &) { return -1; }
int OvCFtpClient::pause(int) { return -1; }
int OvCFtpClient::cancel(int) { return -1; }

void OvCFtpClient::setMediaView(QObject *view)
{
    std::lock_guard<std::mutex> lock(m_viewLock);
    m_mediaView = view;
}

void OvCFtpClient::setTransferView(QObject *view)
{
    std::lock_guard<std::mutex> lock(m_viewLock);
    m_transferView = view;
}

void OvCFtpClient::setTaskMediaView(QObject *view)
{
    std::lock_guard<std::mutex> lock(m_viewLock);
    m_taskView = view;
}
