// The file-client interface the screens program against. Every operation
// returns 0 when the request was handed on and -1 when it was refused.
#pragma once

#include <QString>

class QObject;

class OvFtpClient
{
public:
    virtual ~OvFtpClient() = default;

    virtual int deleteDir(const QString &serverPath) = 0;
    virtual int deleteFile(const QString &serverPath) = 0;
    virtual int download(const QString &serverPath, const QString &localPath, int id) = 0;
    virtual int makeDir(const QString &serverPath) = 0;
    virtual int rename(const QString &oldPath, const QString &newPath, bool isDir) = 0;
    virtual int upload(const QString &localPath, const QString &serverPath, int id) = 0;
    virtual int listMedia(const QString &dirPath) = 0;
    virtual int listTaskMedia(const QString &dirPath) = 0;

    // Transfer control and the session operations of a classic file client.
    // The media channel has no sessions and cannot stop a transfer under
    // way, so these refuse (non-zero) and the caller takes no action.
    virtual int connectServer(const QString &host, int port) = 0;
    virtual int login(const QString &user, const QString &password) = 0;
    virtual int listLocal(const QString &path) = 0;
    virtual int pause(int id) = 0;
    virtual int cancel(int id) = 0;

    // Receivers of the listing results (they offer a slot or signal
    // getDirListFinished(QList<OvMediaFile_t>*)) and of transfer progress.
    virtual void setMediaView(QObject *view) = 0;
    virtual void setTransferView(QObject *view) = 0;
    virtual void setTaskMediaView(QObject *view) = 0;
};
