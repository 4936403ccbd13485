// The file client of the media channel: forwards requests to the worker,
// keeps copies of the latest listings and tells the registered views.
#pragma once

#include "media/OvFtpClient.h"
#include "media/OvMediaFile.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <mutex>

class TcpSocketClient;

class OvCFtpClient : public QObject, public OvFtpClient
{
    Q_OBJECT
public:
    explicit OvCFtpClient(TcpSocketClient *worker, QObject *parent = nullptr);
    ~OvCFtpClient() override;

    int deleteDir(const QString &serverPath) override;
    int deleteFile(const QString &serverPath) override;
    int download(const QString &serverPath, const QString &localPath, int id) override;
    int makeDir(const QString &serverPath) override;
    int rename(const QString &oldPath, const QString &newPath, bool isDir) override;
    int upload(const QString &localPath, const QString &serverPath, int id) override;
    int listMedia(const QString &dirPath) override;
    int listTaskMedia(const QString &dirPath) override;

    int connectServer(const QString &host, int port) override;
    int login(const QString &user, const QString &password) override;
    int listLocal(const QString &path) override;
    int pause(int id) override;
    int cancel(int id) override;

    void setMediaView(QObject *view) override;
    void setTransferView(QObject *view) override;
    void setTaskMediaView(QObject *view) override;

    TcpSocketClient *worker() const { return m_worker; }

    // The views hold this while they read the copies behind the pointers
    // that getDirListFinished hands them; the copies are rewritten under it.
    static std::mutex &listMutex();
    QList<OvMediaFile_t> *mediaListCopy() { return &m_mediaCopy; }
    QList<OvMediaFile_t> *taskMediaListCopy() { return &m_taskCopy; }

signals:
    // The same results by value, for receivers that prefer not to lock.
    void mediaListReady(QList<OvMediaFile_t> list);
    void taskMediaListReady(QList<OvMediaFile_t> list);

private:
    int queue(int kind, int flag, const QString &path1, const QString &path2, int id = 0);
    void listFinished(QList<OvMediaFile_t> *list, bool task);

    TcpSocketClient *m_worker;
    QList<OvMediaFile_t> m_mediaCopy;
    QList<OvMediaFile_t> m_taskCopy;
    // The views are set on the GUI thread and read by listing completions on
    // the worker's thread; this lock guards the three pointers only.
    std::mutex m_viewLock;
    QPointer<QObject> m_mediaView;
    QPointer<QObject> m_transferView;
    QPointer<QObject> m_taskView;
};
