#pragma once

#include <QByteArray>

// Texts the simulator sends. Written here on purpose, independently of the
// console's own builders, so that a fault in one cannot hide in the other.
namespace DbpWriter {

QByteArray answerOk(int cseq, const QByteArray &body = QByteArray());
// The header block of an OK answer whose body of `length` bytes follows separately.
QByteArray answerOkHeader(int cseq, qint64 length);
QByteArray answerFailed(int cseq, const QByteArray &reason);
// A pushed message: "POST DBP/1.0" with Packet-Type/Packet-Subtype written without a
// blank after the colon, which is the only form the console routes.
QByteArray notification(const QByteArray &packetType, const QByteArray &subtype, const QByteArray &body);
QByteArray sqlConfigChange(const QByteArray &subtype, const QByteArray &rows);
QByteArray deleteMessage(const QByteArray &familyKey, int id);

} // namespace DbpWriter
