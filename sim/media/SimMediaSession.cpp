#include "SimMediaSession.h"

#include "SimMediaStore.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QTcpSocket>
#include <QTimer>

namespace {

const QByteArray kTerminator("\r\n\r\n");
constexpr qint64 kPiece = 64 * 1024;
constexpr qint64 kBacklog = 256 * 1024;

QString field(const QJsonObject &o, const char *key)
{
    return o.value(QLatin1String(key)).toString();
}

} // namespace

SimMediaSession::SimMediaSession(QTcpSocket *socket, const SimMediaStore &store,
                                 std::function<SimMediaFaults()> faults, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
    , m_store(store)
    , m_faults(std::move(faults))
{
    m_socket->setParent(this);
    connect(m_socket, &QTcpSocket::readyRead, this, &SimMediaSession::onReadyRead);
    connect(m_socket, &QTcpSocket::bytesWritten, this, [this] {
        if (!m_pumpScheduled && !m_stalled)
            pump();
    });
    connect(m_socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
}

void SimMediaSession::onReadyRead()
{
    if (m_upload) {
        onUploadBytes();
        return;
    }
    if (m_haveRequest) {
        m_socket->readAll(); // one exchange per connection: anything more is ignored
        return;
    }
    m_in += m_socket->read(kRequestCap + kTerminator.size() - m_in.size());
    const int end = m_in.indexOf(kTerminator);
    if (end < 0) {
        if (m_in.size() >= kRequestCap)
            m_socket->abort(); // no request is this large; stop buffering
        return;
    }
    const QByteArray json = m_in.left(end);
    m_in.remove(0, end + kTerminator.size());
    m_haveRequest = true;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        m_socket->abort();
        return;
    }
    onRequest(doc.object());
}

void SimMediaSession::onRequest(const QJsonObject &req)
{
    static const QHash<QString, Handler> table = {
        {QStringLiteral("GetFileRoot"), &SimMediaSession::getFileRoot},
        {QStringLiteral("GetFileList"), &SimMediaSession::getFileList},
        {QStringLiteral("GetFile"), &SimMediaSession::getFile},
        {QStringLiteral("PostFile"), &SimMediaSession::postFile},
        {QStringLiteral("DelFile"), &SimMediaSession::delFile},
        {QStringLiteral("DeleteDIR"), &SimMediaSession::deleteDir},
        {QStringLiteral("CreatDIR"), &SimMediaSession::creatDir},
        {QStringLiteral("RenameFile"), &SimMediaSession::renameFile},
        {QStringLiteral("RenameDIR"), &SimMediaSession::renameDir},
    };
    m_active = m_faults();
    m_command = field(req, "Command");
    const QJsonValue cseq = req.value(QLatin1String("CSeq"));
    m_cseq = cseq.isString() ? cseq.toString() : QString::number(cseq.toInt());
    emit requestReceived(m_command);
    const Handler handler = table.value(m_command, nullptr);
    if (handler)
        (this->*handler)(req);
    else
        answer(reply(m_command.toUtf8().constData()), QStringLiteral("unknown command"));
}

QJsonObject SimMediaSession::reply(const char *command) const
{
    QJsonObject o;
    o.insert(QStringLiteral("Command"), QString::fromUtf8(command));
    o.insert(QStringLiteral("CSeq"), m_cseq);
    return o;
}

void SimMediaSession::answer(QJsonObject obj, const QString &error)
{
    if (!error.isEmpty())
        obj.insert(QStringLiteral("Error"), error);
    sendDownload(obj, QString(), 0);
}

void SimMediaSession::sendDownload(const QJsonObject &header, const QString &absFile, qint64 size)
{
    if (m_active.noAnswer == QLatin1String("*") || m_active.noAnswer == m_command)
        return; // keep the connection open and silent until the client gives up
    if (m_active.closeAt >= 0 && m_command != QLatin1String("GetFile")) {
        m_socket->abort();
        return;
    }
    m_out = QJsonDocument(header).toJson(QJsonDocument::Compact) + kTerminator;
    if (!absFile.isEmpty()) {
        m_body = std::make_unique<QFile>(absFile);
        if (!m_body->open(QIODevice::ReadOnly)) {
            m_socket->abort();
            return;
        }
        m_bodyLeft = size;
    }
    pump();
}

void SimMediaSession::pump()
{
    m_pumpScheduled = false;
    const int split = m_active.splitSize;
    while (m_socket->state() == QAbstractSocket::ConnectedState
           && m_socket->bytesToWrite() < kBacklog) {
        QByteArray piece;
        if (!m_out.isEmpty()) {
            piece = m_out.left(split > 0 ? split : m_out.size());
            m_out.remove(0, piece.size());
        } else if (m_body && m_bodyLeft > 0) {
            qint64 n = qMin(kPiece, m_bodyLeft);
            if (split > 0)
                n = qMin<qint64>(n, split);
            if (m_active.stallAt >= 0 && m_bodySent + n > m_active.stallAt) {
                n = m_active.stallAt - m_bodySent;
                if (n <= 0) {
                    m_stalled = true; // silent from here on, connection kept open
                    return;
                }
            }
            if (m_active.closeAt >= 0 && m_bodySent + n > m_active.closeAt) {
                n = m_active.closeAt - m_bodySent;
                if (n <= 0) {
                    finish();
                    return;
                }
            }
            piece = m_body->read(n);
            if (piece.isEmpty()) {
                m_socket->abort(); // the file shrank under us
                return;
            }
            m_bodySent += piece.size();
            m_bodyLeft -= piece.size();
        } else {
            finish();
            return;
        }
        m_socket->write(piece);
        if (split > 0) {
            m_pumpScheduled = true;
            QTimer::singleShot(qMax(1, m_active.splitDelayMs), this, &SimMediaSession::pump);
            return;
        }
    }
}

void SimMediaSession::finish()
{
    m_stalled = true; // nothing more to send
    m_socket->disconnectFromHost();
}
