// The file-transfer worker of the media channel. It takes queued work items
// one at a time, first in first out, and runs each file command on its own
// short connection; outcomes leave as signals (queued to the GUI thread,
// since the worker lives on its own thread, see TcpSocketClientThread).
#pragma once

#include "media/FtpWorkItem.h"
#include "media/MediaTimeouts.h"
#include "media/OvMediaFile.h"

#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>

class TcpSocketClient : public QObject
{
    Q_OBJECT
public:
    using ListCompletion = std::function<void(QList<OvMediaFile_t> *)>;

    static constexpr quint16 kDefaultPort = 8906;

    explicit TcpSocketClient(QObject *parent = nullptr);
    ~TcpSocketClient() override;

    // The process-wide worker, created (and its thread started) on first use.
    static TcpSocketClient *instance();

    void setTimeouts(const MediaTimeouts &timeouts);
    void setServer(const QString &host, quint16 port);
    // A zero port keeps the default recording port.
    void setRecordServer(const QString &host, quint16 port);
    QString mediaRoot() const;

    // Queue functions; callable from any thread.
    void enqueue(const FtpWorkItem &item);
    int pendingCount() const;

    void setMediaListCompletion(ListCompletion completion);
    void setTaskListCompletion(ListCompletion completion);

    // Asks the worker to end: the running command gives up at its next
    // wait or body piece (an interrupted download leaves no partial file)
    // and no further queued item is started. Callable from any thread.
    void requestStop();
    bool stopRequested() const { return m_stop.load(); }

    // The task-media listing: runs at once on the calling thread.
    void listNow(const QString &dirPath, int flag);

    QList<OvMediaFile_t> mediaList() const;
    QList<OvMediaFile_t> taskMediaList() const;

signals:
    void socketConnected(bool flag);
    void socketUpdateMedia();
    void socketUploadFinished();
    void getPathListFinish(QList<OvMediaFile_t> *list);
    void updateProgressIndicator(int id, int size, int status);
    void updateRecordDownloadMsgTip(QString filename, int percent, int status);
    void socketGetMediaPath(QString path);
    void ftpError(int code, QString path, int status);
    void startUploadFile();
    void startGetFileList();
    void startDoFtpWork();

public slots:
    void slot_getPathListFinish();

private:
    struct Endpoint
    {
        QString host;
        quint16 port = 0;
    };

    Q_INVOKABLE void drainQueue();
    void run(const FtpWorkItem &item);

    int nextSeq() { return m_fileSeq.fetch_add(1); }
    Endpoint mediaEndpoint() const;
    Endpoint downloadEndpoint(const QString &serverPath) const;
    MediaTimeouts timeouts() const;
    void logAnswer(const QByteArray &answer) const;

    void getFileRoot();
    void getFileList(const QString &dirPath, int flag);
    int checkSubDirs(const QString &dirPath);
    void getFile(const FtpWorkItem &item);
    void postFile(const FtpWorkItem &item);
    void deleteEntry(const FtpWorkItem &item);
    void createDir(const FtpWorkItem &item);
    void renameEntry(const FtpWorkItem &item);
    // Sends a request and takes a single read; false when nothing arrived.
    bool singleExchange(const QByteArray &request, QByteArray *answer, bool flush = true);

    std::atomic<int> m_fileSeq{1};
    std::atomic<bool> m_stop{false};

    mutable std::mutex m_settingsLock; // endpoints, media root, time-outs
    QString m_host;
    quint16 m_port = kDefaultPort;
    QString m_recordHost;
    quint16 m_recordPort = kDefaultPort;
    QString m_mediaRoot;
    MediaTimeouts m_timeouts;

    mutable std::mutex m_listLock; // the two lists and their completions
    QList<OvMediaFile_t> m_mediaList;
    QList<OvMediaFile_t> m_taskMediaList;
    ListCompletion m_onMediaList;
    ListCompletion m_onTaskList;

    mutable std::mutex m_queueLock;
    std::deque<FtpWorkItem> m_queue;
};
