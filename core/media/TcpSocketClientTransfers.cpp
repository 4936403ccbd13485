// Downloads and uploads of the file-transfer worker.
#include "media/TcpSocketClient.h"

#include "media/MediaAnswer.h"
#include "media/MediaConnection.h"
#include "media/MediaPaths.h"
#include "media/MediaRequests.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cstdio>
#include <limits>

namespace {

constexpr qint64 kBodyPiece = 64 * 1024;
constexpr qint64 kUploadPiece = 8192;

int clampInt(qint64 v)
{
    return static_cast<int>(qMin<qint64>(v, std::numeric_limits<int>::max()));
}

QString partFileName(const QString &target)
{
    return target + QStringLiteral(".part");
}

// Puts the finished part file in the target's place in one step, over an
// older copy if there is one.
bool replaceFile(const QString &from, const QString &to)
{
#ifdef Q_OS_UNIX
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#else
    QFile::remove(to);
    return QFile::rename(from, to);
#endif
}

} // namespace

void TcpSocketClient::getFile(const FtpWorkItem &item)
{
    const QString serverPath = item.path1;
    const bool recording = MediaPaths::isRecordingPath(serverPath);
    const QString name = MediaPaths::namePart(serverPath);
    int lastPercent = 0;
    auto report = [&](qint64 received, int percent, int status) {
        if (recording)
            emit updateRecordDownloadMsgTip(name, percent, status);
        else
            emit updateProgressIndicator(item.id, clampInt(received), status);
    };

    const MediaTimeouts t = timeouts();
    const Endpoint ep = downloadEndpoint(serverPath);
    const QByteArray request =
        MediaRequests::getFile(nextSeq(), MediaPaths::dirPart(serverPath), name);
    MediaConnection conn(&m_stop);
    QByteArray header;
    QByteArray first;
    if (request.isEmpty() || !conn.open(ep.host, ep.port, t.connectGet)
        || !conn.write(request, t.answerLong)
        || !conn.readHeader(t.answerLong, MediaAnswer::kHeaderCap, &header, &first)) {
        report(0, 0, -1);
        return;
    }
    const auto obj = MediaAnswer::parseObject(header);
    if (obj) {
        qDebug().noquote() << "Command : " + MediaAnswer::text(*obj, "Command");
        qDebug().noquote() << "CSeq : " + MediaAnswer::text(*obj, "CSeq");
    }
    const qint64 fileLen = obj ? MediaAnswer::number(*obj, "FileLen") : -1;
    // A negative length is the server saying it has no such file.
    if (fileLen < 0) {
        report(0, 0, -1);
        return;
    }
    // The bytes go to a part file beside the target, which replaces the
    // target only once complete: a failed transfer never costs the operator
    // a copy already on this PC.
    const QString target = item.path2;
    QFile part(partFileName(target));
    if (!part.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        report(0, 0, -1);
        return;
    }
    auto fail = [&](qint64 received) {
        conn.close();
        part.close();
        part.remove();
        report(received, lastPercent, -1);
    };
    auto complete = [&](qint64 received) {
        conn.close();
        part.close();
        if (!replaceFile(part.fileName(), target)) {
            part.remove();
            report(received, lastPercent, -1);
            return;
        }
        report(received, 100, recording ? 1 : 0);
    };

    // Bytes that came with the header's end are the start of the file; with
    // FileLen 0 the file holds whatever followed the header.
    const QByteArray head = fileLen > 0 ? first.left(fileLen) : first;
    if (part.write(head) != head.size() || !part.flush()) {
        fail(0);
        return;
    }
    qint64 received = head.size();
    if (fileLen == 0) {
        complete(received);
        return;
    }
    for (;;) {
        if (received >= fileLen) {
            complete(fileLen);
            return;
        }
        const int percent = static_cast<int>(received * 100 / fileLen);
        if (percent > lastPercent) {
            lastPercent = percent;
            report(received, percent, 0);
        }
        QByteArray piece;
        if (m_stop.load()
            || conn.readSome(qMin(fileLen - received, kBodyPiece), t.answerLong, &piece)
                != MediaConnection::Read::Data) {
            fail(received);
            return;
        }
        if (part.write(piece) != piece.size() || !part.flush()) {
            fail(received);
            return;
        }
        received += piece.size();
    }
}

void TcpSocketClient::postFile(const FtpWorkItem &item)
{
    QFile local(item.path1);
    // The file is opened before the header goes out, so a missing file is
    // refused instead of announced to the server and never sent.
    if (!local.open(QIODevice::ReadOnly) || local.size() > std::numeric_limits<int>::max()) {
        emit updateProgressIndicator(item.id, 0, -1);
        return;
    }
    const qint64 fileLen = local.size();
    const MediaTimeouts t = timeouts();
    const Endpoint ep = mediaEndpoint();
    const QByteArray request =
        MediaRequests::postFile(MediaPaths::dirPart(item.path2), nextSeq(),
                                QFileInfo(item.path1).fileName(), fileLen);
    MediaConnection conn(&m_stop);
    if (request.isEmpty() || !conn.open(ep.host, ep.port, t.connectShort)
        || !conn.write(request, t.answerShort)) {
        emit updateProgressIndicator(item.id, 0, -1);
        return;
    }
    qint64 sent = 0;
    while (sent < fileLen) {
        const QByteArray piece =
            m_stop.load() ? QByteArray() : local.read(qMin(kUploadPiece, fileLen - sent));
        if (piece.isEmpty() || !conn.write(piece, t.answerShort)) {
            conn.close();
            emit updateProgressIndicator(item.id, clampInt(sent), -1);
            return;
        }
        sent += piece.size();
        // The full size is only reported once the server has answered, so a
        // transfer the server never confirmed does not look finished.
        if (sent < fileLen)
            emit updateProgressIndicator(item.id, clampInt(sent), 0);
        if (t.uploadPieceDelay > 0)
            QThread::msleep(static_cast<unsigned long>(t.uploadPieceDelay));
    }
    const QByteArray answer = conn.readOnce(t.answerShort);
    conn.close();
    logAnswer(answer);
    emit updateProgressIndicator(item.id, clampInt(fileLen), answer.isEmpty() ? -1 : 0);
}
