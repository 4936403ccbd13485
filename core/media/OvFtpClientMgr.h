// The process-wide entry point of the media file channel for the screens.
// Every operation returns 0 when handed on and -1 when refused.
#pragma once

#include <QString>

#include <memory>

class OvCFtpClient;
class TcpSocketClient;

class OvFtpClientMgr
{
public:
    // The process-wide object on the process-wide worker.
    static OvFtpClientMgr *instance();

    // A manager on a given worker (null: every operation is refused).
    explicit OvFtpClientMgr(TcpSocketClient *worker);
    ~OvFtpClientMgr();
    OvFtpClientMgr(const OvFtpClientMgr &) = delete;
    OvFtpClientMgr &operator=(const OvFtpClientMgr &) = delete;

    OvCFtpClient *client() const { return m_client.get(); }

    int deleteDir(const QString &serverPath);
    int deleteFile(const QString &serverPath);
    int download(const QString &serverPath, const QString &localPath, int id);
    int makeDir(const QString &serverPath);
    int rename(const QString &oldPath, const QString &newPath, bool isDir);
    int upload(const QString &localPath, const QString &serverPath, int id);
    int listMedia(const QString &dirPath);
    int listTaskMedia(const QString &dirPath);
    int cancel(int id);

private:
    std::unique_ptr<OvCFtpClient> m_client;
};
