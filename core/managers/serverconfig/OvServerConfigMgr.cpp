#include "managers/serverconfig/OvServerConfigMgr.h"

#include "managers/common/BusyRetry.h"
#include "managers/common/CentreRequest.h"
#include "managers/common/DeviceCentre.h"
#include "managers/serverconfig/BackupTransfer.h"
#include "managers/serverconfig/ServerConfigRequests.h"
#include "media/TcpSocketClient.h"
#include "protocol/OvManageCenter.h"

OvServerConfigMgr &OvServerConfigMgr::instance()
{
    static OvServerConfigMgr *mgr = new OvServerConfigMgr(deviceCentre());
    return *mgr;
}

OvServerConfigMgr::OvServerConfigMgr(OvManageCenter *centre, QObject *parent)
    : QObject(parent), m_centre(centre)
{
    qRegisterMetaType<ServerParameter>();
    // Installed before the first request leaves.
    centreSetConfigCallback(m_centre, [this](const ConfigResult &r) { return onResult(r); });
}

OvServerConfigMgr::~OvServerConfigMgr()
{
    centreSetConfigCallback(m_centre, nullptr);
}

int OvServerConfigMgr::onResult(const ConfigResult &r)
{
    // Receive thread: the signals are emitted from the GUI thread's loop.
    if (!r.ok) {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_lastRefusal = r.reason;
        }
        if (r.code == OvServerConfigManage::BackupCode) {
            const QString reason = QString::fromUtf8(r.reason);
            QMetaObject::invokeMethod(this, [this, reason] { emit backupRefused(reason); }, Qt::QueuedConnection);
        }
        return 0;
    }
    switch (r.code) {
    case OvServerConfigManage::ParameterListCode: {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_parameters = QList<ServerParameter>(r.parameters.begin(), r.parameters.end());
        }
        QMetaObject::invokeMethod(this, [this] { emit gotServerList(); }, Qt::QueuedConnection);
        break;
    }
    case OvServerConfigManage::LogServerQueryCode: {
        if (r.parameters.empty())
            break;
        const QList<QByteArray> parts = r.parameters.front().value.split(':');
        bool ok = false;
        const int port = parts.value(1).trimmed().toInt(&ok);
        std::lock_guard<std::mutex> guard(m_lock);
        m_logServerIp = parts.value(0);
        m_logServerPort = ok ? port : 0;
        break;
    }
    case OvServerConfigManage::BackupCode: {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_backupAnswer = r.record;
        }
        QMetaObject::invokeMethod(this, [this] { emit gotBackupMd5(); }, Qt::QueuedConnection);
        break;
    }
    default:
        break;
    }
    return 0;
}

int OvServerConfigMgr::sendQuery(int code)
{
    return retryWhileBusy([&] { return centreConfigQuery(m_centre, code); }, kEditPauseMs);
}

int OvServerConfigMgr::sendChange(const ConfigRequest &request)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_lastRefusal.clear();
    }
    return retryWhileBusy([&] { return centreConfigChange(m_centre, request); }, kEditPauseMs);
}

int OvServerConfigMgr::requestParameters()
{
    return sendQuery(OvServerConfigManage::ParameterListCode);
}

int OvServerConfigMgr::requestLogServer(QByteArray &ip)
{
    sendQuery(OvServerConfigManage::LogServerQueryCode);
    std::lock_guard<std::mutex> guard(m_lock);
    ip = m_logServerIp;
    return m_logServerPort;
}

int OvServerConfigMgr::setParameter(const QByteArray &value, int code)
{
    const int result = sendChange({code, value, QByteArray()});
    if (result == Done && code == OvServerConfigManage::TalkLogServerCode) {
        // The log screens take the new server from here at once.
        const QList<QByteArray> parts = value.split(':');
        std::lock_guard<std::mutex> guard(m_lock);
        m_logServerIp = parts.value(0);
        m_logServerPort = parts.value(1).toInt();
    }
    return result;
}

int OvServerConfigMgr::setParameterPair(int code, const QByteArray &text1, const QByteArray &text2)
{
    return sendChange({code, text1, text2});
}

int OvServerConfigMgr::setVadTimeout(const QByteArray &value)
{
    return sendChange({OvServerConfigManage::VadTimeoutCode, value, QByteArray()});
}

QList<ServerParameter> OvServerConfigMgr::parameters() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_parameters;
}

ServerParameter OvServerConfigMgr::backupAnswer() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_backupAnswer;
}

QByteArray OvServerConfigMgr::lastRefusal() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_lastRefusal;
}

void OvServerConfigMgr::forgetBackupAnswer()
{
    if (auto *m = centreManager<OvServerConfigManage>(m_centre, OvManageCenter::ServerConfigSlot))
        m->forgetBackupAnswer();
}

void OvServerConfigMgr::setFileEndpoint(const QString &host, quint16 port)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_fileHost = host;
    m_filePort = port;
}

void OvServerConfigMgr::setTransferTimeouts(const MediaTimeouts &timeouts)
{
    transfers().transfer()->setTimeouts(timeouts);
}

BackupTransferThread &OvServerConfigMgr::transfers()
{
    if (!m_transfers) {
        m_transfers = std::make_unique<BackupTransferThread>();
        BackupTransfer *t = m_transfers->transfer();
        // Only the latest transfer speaks; an abandoned one stays silent.
        connect(t, &BackupTransfer::downloaded, this, [this](int id, const QByteArray &md5) {
            if (id != m_transferId)
                return;
            {
                std::lock_guard<std::mutex> guard(m_lock);
                m_downloadedMd5 = md5;
            }
            emit downloadFinish();
        });
        connect(t, &BackupTransfer::uploaded, this, [this](int id, const QByteArray &md5) {
            if (id != m_transferId)
                return;
            {
                std::lock_guard<std::mutex> guard(m_lock);
                m_uploadedMd5 = md5;
            }
            emit uploadFinish();
        });
        connect(t, &BackupTransfer::failed, this, [this](int id, const QString &why) {
            if (id == m_transferId)
                emit transferFailed(why);
        });
        connect(t, &BackupTransfer::progress, this, [this](int id, qint64 done, qint64 total) {
            if (id == m_transferId)
                emit transferProgress(done, total);
        });
    }
    return *m_transfers;
}

void OvServerConfigMgr::fetchBackup(const QString &serverPath, const QString &localPath)
{
    QString host;
    quint16 port;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        host = m_fileHost.isEmpty() && m_centre ? m_centre->serverIpText() : m_fileHost;
        port = m_filePort ? m_filePort : TcpSocketClient::kDefaultPort;
    }
    const int id = ++m_transferId;
    QMetaObject::invokeMethod(transfers().transfer(), "download", Qt::QueuedConnection, Q_ARG(int, id),
                              Q_ARG(QString, host), Q_ARG(int, port), Q_ARG(QString, serverPath),
                              Q_ARG(QString, localPath));
}

void OvServerConfigMgr::sendRestoreFile(const QString &localPath, const QString &serverPath)
{
    QString host;
    quint16 port;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        host = m_fileHost.isEmpty() && m_centre ? m_centre->serverIpText() : m_fileHost;
        port = m_filePort ? m_filePort : TcpSocketClient::kDefaultPort;
    }
    const int id = ++m_transferId;
    QMetaObject::invokeMethod(transfers().transfer(), "upload", Qt::QueuedConnection, Q_ARG(int, id),
                              Q_ARG(QString, host), Q_ARG(int, port), Q_ARG(QString, localPath),
                              Q_ARG(QString, serverPath));
}

QByteArray OvServerConfigMgr::downloadedMd5() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_downloadedMd5;
}

QByteArray OvServerConfigMgr::uploadedMd5() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_uploadedMd5;
}
