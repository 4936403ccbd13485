#include "managers/serverconfig/BackupTransfer.h"

#include "media/MediaAnswer.h"
#include "media/MediaConnection.h"
#include "media/MediaPaths.h"
#include "media/MediaRequests.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <mutex>

BackupTransfer::BackupTransfer(QObject *parent) : QObject(parent) {}

void BackupTransfer::setTimeouts(const MediaTimeouts &timeouts)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_timeouts = timeouts;
}

MediaTimeouts BackupTransfer::timeouts() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_timeouts;
}

void BackupTransfer::download(int id, const QString &host, int port, const QString &serverPath,
                              const QString &localPath)
{
    const MediaTimeouts t = timeouts();
    const QByteArray request =
        MediaRequests::getFile(nextSeq(), MediaPaths::dirPart(serverPath), MediaPaths::namePart(serverPath));
    MediaConnection conn;
    QByteArray header;
    QByteArray rest;
    if (request.isEmpty() || !conn.open(host, quint16(port), t.connectGet) || !conn.write(request, t.answerLong)
        || !conn.readHeader(t.answerLong, MediaAnswer::kHeaderCap, &header, &rest)) {
        emit failed(id, QStringLiteral("文件服务器没有应答"));
        return;
    }
    const auto answer = MediaAnswer::parseObject(header);
    const qint64 fileLen = answer ? MediaAnswer::number(*answer, "FileLen") : -1;
    if (!answer || fileLen < 0) {
        const QString why = answer ? MediaAnswer::text(*answer, "Error") : QString();
        emit failed(id, why.isEmpty() ? QStringLiteral("文件服务器没有此文件") : why);
        return;
    }
    QSaveFile local(localPath);
    if (!local.open(QIODevice::WriteOnly)) {
        emit failed(id, QStringLiteral("无法写入%1").arg(localPath));
        return;
    }
    QCryptographicHash md5(QCryptographicHash::Md5);
    qint64 received = 0;
    auto take = [&](const QByteArray &bytes) {
        md5.addData(bytes);
        received += bytes.size();
        return local.write(bytes) == bytes.size();
    };
    if (!take(rest.left(fileLen))) {
        local.cancelWriting();
        emit failed(id, QStringLiteral("无法写入%1").arg(localPath));
        return;
    }
    qint64 reported = 0;
    while (received < fileLen) {
        QByteArray piece;
        if (conn.readSome(qMin(fileLen - received, kPiece), t.answerLong, &piece) != MediaConnection::Read::Data) {
            local.cancelWriting();
            emit failed(id, QStringLiteral("下载中断（已收到%1/%2字节）").arg(received).arg(fileLen));
            return;
        }
        if (!take(piece)) {
            local.cancelWriting();
            emit failed(id, QStringLiteral("无法写入%1").arg(localPath));
            return;
        }
        // A few dozen progress signals per transfer, not one per piece.
        if (received - reported >= fileLen / 50 + 1) {
            reported = received;
            emit progress(id, received, fileLen);
        }
    }
    conn.close();
    if (!local.commit()) {
        emit failed(id, QStringLiteral("无法写入%1").arg(localPath));
        return;
    }
    emit progress(id, fileLen, fileLen);
    emit downloaded(id, md5.result().toHex());
}

void BackupTransfer::upload(int id, const QString &host, int port, const QString &localPath,
                            const QString &serverPath)
{
    QFile local(localPath);
    if (!local.open(QIODevice::ReadOnly)) {
        emit failed(id, QStringLiteral("无法读取%1").arg(localPath));
        return;
    }
    const qint64 fileLen = local.size();
    const MediaTimeouts t = timeouts();
    const QByteArray request = MediaRequests::postFile(MediaPaths::dirPart(serverPath), nextSeq(),
                                                       MediaPaths::namePart(serverPath), fileLen);
    MediaConnection conn;
    if (request.isEmpty() || !conn.open(host, quint16(port), t.connectShort) || !conn.write(request, t.answerShort)) {
        emit failed(id, QStringLiteral("文件服务器没有应答"));
        return;
    }
    QCryptographicHash md5(QCryptographicHash::Md5);
    qint64 sent = 0;
    qint64 reported = 0;
    while (sent < fileLen) {
        const QByteArray piece = local.read(qMin(kPiece, fileLen - sent));
        if (piece.isEmpty()) {
            emit failed(id, QStringLiteral("无法读取%1").arg(localPath));
            return;
        }
        if (!conn.write(piece, t.answerLong)) {
            emit failed(id, QStringLiteral("上传中断（已发送%1/%2字节）").arg(sent).arg(fileLen));
            return;
        }
        md5.addData(piece);
        sent += piece.size();
        if (sent - reported >= fileLen / 50 + 1) {
            reported = sent;
            emit progress(id, sent, fileLen);
        }
    }
    // The server answers once it has stored the last byte; an answer with
    // an error, or none, means it does not hold the file.
    QByteArray header;
    QByteArray rest;
    if (!conn.readHeader(t.answerLong, MediaAnswer::kHeaderCap, &header, &rest)) {
        emit failed(id, QStringLiteral("文件服务器未确认收到文件"));
        return;
    }
    conn.close();
    const auto answer = MediaAnswer::parseObject(header);
    const QString why = answer ? MediaAnswer::text(*answer, "Error") : QStringLiteral("文件服务器的应答无法识别");
    if (!why.isEmpty()) {
        emit failed(id, why);
        return;
    }
    emit uploaded(id, md5.result().toHex());
}

BackupTransferThread::BackupTransferThread() : m_transfer(std::make_unique<BackupTransfer>())
{
    m_thread.setObjectName(QStringLiteral("BackupTransfer"));
    m_transfer->moveToThread(&m_thread);
    m_thread.start();
}

BackupTransferThread::~BackupTransferThread()
{
    m_thread.quit();
    m_thread.wait();
    m_transfer.reset();
}
