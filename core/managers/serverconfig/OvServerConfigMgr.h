#pragma once

#include "managers/serverconfig/OvServerConfigManage.h"
#include "managers/serverconfig/ServerParameter.h"
#include "media/MediaTimeouts.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <memory>
#include <mutex>

class BackupTransferThread;
class OvManageCenter;

// The screens' way to the server's parameters, the administrator password,
// backups and restores (one per process, created on first use). Requests
// are repeated while the connection is busy; the latest answers are kept
// and announced by signals. The answers arrive on the receive thread and
// the backup transfers run on their own thread: every signal reaches a
// screen queued, and the kept values are guarded by one lock.
class OvServerConfigMgr : public QObject
{
    Q_OBJECT
public:
    // Longest wait for the answer to a DataBackup, which the server gives
    // only once it has written the whole backup.
    static constexpr int kBackupAnswerLimitMs = 120000;

    static OvServerConfigMgr &instance();
    // A manager bound to the given centre (tests; the process-wide one is
    // bound to the devices' centre).
    explicit OvServerConfigMgr(OvManageCenter *centre, QObject *parent = nullptr);
    ~OvServerConfigMgr() override;

    int requestParameters();
    // Sends query 178, copies the log server's address into ip and returns
    // its port (the values kept from the last answer that had a row).
    int requestLogServer(QByteArray &ip);
    int setParameter(const QByteArray &value, int code);
    int setParameterPair(int code, const QByteArray &text1, const QByteArray &text2);
    int setVadTimeout(const QByteArray &value);

    QList<ServerParameter> parameters() const;
    ServerParameter backupAnswer() const;
    // The server's reason of the latest refused change, empty when none.
    QByteArray lastRefusal() const;

    // Stops taking a late DataBackup answer (the screen gave up waiting).
    void forgetBackupAnswer();

    // The file service for backups and restores (the login server, port
    // 8906 unless set otherwise).
    void setFileEndpoint(const QString &host, quint16 port);
    void setTransferTimeouts(const MediaTimeouts &timeouts);
    // Fetches a written backup; downloadFinish once the whole file is on
    // this computer (its digest in downloadedMd5), else transferFailed.
    void fetchBackup(const QString &serverPath, const QString &localPath);
    // Sends a file to restore; uploadFinish once the server holds it (its
    // digest in uploadedMd5), else transferFailed.
    void sendRestoreFile(const QString &localPath, const QString &serverPath);
    QByteArray downloadedMd5() const;
    QByteArray uploadedMd5() const;

signals:
    void gotServerList();
    void gotBackupMd5();
    void downloadFinish();
    void uploadFinish();
    // A refused DataBackup, with the server's reason.
    void backupRefused(const QString &reason);
    void transferFailed(const QString &reason);
    void transferProgress(qint64 done, qint64 total);

private:
    int onResult(const ConfigResult &result);
    int sendQuery(int code);
    int sendChange(const ConfigRequest &request);
    BackupTransferThread &transfers();

    OvManageCenter *m_centre;
    mutable std::mutex m_lock; // the values below
    QList<ServerParameter> m_parameters;
    QByteArray m_logServerIp;
    int m_logServerPort = 0;
    ServerParameter m_backupAnswer;
    QByteArray m_lastRefusal;
    QByteArray m_downloadedMd5;
    QByteArray m_uploadedMd5;
    QString m_fileHost;
    quint16 m_filePort = 0;

    std::unique_ptr<BackupTransferThread> m_transfers;
    int m_transferId = 0;
};
