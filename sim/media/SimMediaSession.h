// One client connection of the file service: reads one request, answers it
// (with the file bytes of a download, or after the bytes of an upload) and
// closes. Faults shape how the answer goes out.
#pragma once

#include "SimMediaFaults.h"

#include <QByteArray>
#include <QFile>
#include <QJsonObject>
#include <QObject>
#include <QSaveFile>

#include <functional>
#include <memory>

class QTcpSocket;
class SimMediaStore;

class SimMediaSession : public QObject
{
    Q_OBJECT
public:
    // Caps on what a client may make the service hold or write.
    static constexpr int kRequestCap = 64 * 1024;
    static constexpr qint64 kUploadCap = 1024LL * 1024 * 1024;

    SimMediaSession(QTcpSocket *socket, const SimMediaStore &store,
                    std::function<SimMediaFaults()> faults, QObject *parent);

signals:
    void requestReceived(QString command);

private:
    using Handler = void (SimMediaSession::*)(const QJsonObject &);

    void onReadyRead();
    void onRequest(const QJsonObject &req);
    void onUploadBytes();
    void answer(QJsonObject obj, const QString &error = QString());
    void sendDownload(const QJsonObject &header, const QString &absFile, qint64 size);
    void pump();
    void finish();

    void getFileRoot(const QJsonObject &req);
    void getFileList(const QJsonObject &req);
    void getFile(const QJsonObject &req);
    void postFile(const QJsonObject &req);
    void delFile(const QJsonObject &req);
    void deleteDir(const QJsonObject &req);
    void creatDir(const QJsonObject &req);
    void renameFile(const QJsonObject &req);
    void renameDir(const QJsonObject &req);

    QJsonObject reply(const char *command) const;

    QTcpSocket *m_socket;
    const SimMediaStore &m_store;
    std::function<SimMediaFaults()> m_faults;
    SimMediaFaults m_active; // faults as they were when the request came
    QByteArray m_in;
    bool m_haveRequest = false;
    QString m_command;
    QString m_cseq;

    // Upload in progress.
    std::unique_ptr<QSaveFile> m_upload;
    qint64 m_uploadLeft = 0;

    // Outgoing answer: header bytes, then optionally a file's bytes.
    QByteArray m_out;
    std::unique_ptr<QFile> m_body;
    qint64 m_bodyLeft = 0;
    qint64 m_bodySent = 0;
    bool m_pumpScheduled = false;
    bool m_stalled = false;
};
