#include "media/OvFtpClientMgr.h"

#include "media/OvCFtpClient.h"
#include "media/TcpSocketClient.h"

OvFtpClientMgr *OvFtpClientMgr::instance()
{
    static OvFtpClientMgr mgr(TcpSocketClient::instance());
    return &mgr;
}

OvFtpClientMgr::OvFtpClientMgr(TcpSocketClient *worker)
{
    if (worker)
        m_client = std::make_unique<OvCFtpClient>(worker);
}

OvFtpClientMgr::~OvFtpClientMgr() = default;

int OvFtpClientMgr::deleteDir(const QString &p) { return m_client ? m_client->deleteDir(p) : -1; }
int OvFtpClientMgr::deleteFile(const QString &p) { return m_client ? m_client->deleteFile(p) : -1; }
int OvFtpClientMgr::makeDir(const QString &p) { return m_client ? m_client->makeDir(p) : -1; }
int OvFtpClientMgr::listMedia(const QString &p) { return m_client ? m_client->listMedia(p) : -1; }
int OvFtpClientMgr::cancel(int id) { return m_client ? m_client->cancel(id) : -1; }

int OvFtpClientMgr::listTaskMedia(const QString &p)
{
    return m_client ? m_client->listTaskMedia(p) : -1;
}

int OvFtpClientMgr::download(const QString &serverPath, const QString &localPath, int id)
{
    return m_client ? m_client->download(serverPath, localPath, id) : -1;
}

int OvFtpClientMgr::rename(const QString &oldPath, const QString &newPath, bool isDir)
{
    return m_client ? m_client->rename(oldPath, newPath, isDir) : -1;
}

int OvFtpClientMgr::upload(const QString &localPath, const QString &serverPath, int id)
{
    return m_client ? m_client->upload(localPath, serverPath, id) : -1;
}
