#include "wire/DbpWriter.h"

namespace {

QByteArray answer(const char *line, int cseq, const QByteArray &body)
{
    QByteArray m;
    m.reserve(64 + body.size());
    m += line;
    if (cseq >= 0)
        m += "CSeq: " + QByteArray::number(cseq) + "\r\n";
    m += "Content-Length:" + QByteArray::number(body.size()) + "\r\n\r\n";
    m += body;
    return m;
}

} // namespace

namespace DbpWriter {

QByteArray answerOk(int cseq, const QByteArray &body)
{
    return answer("DBP/1.0 200 OK\r\n", cseq, body);
}

QByteArray answerOkHeader(int cseq, qint64 length)
{
    return "DBP/1.0 200 OK\r\nCSeq: " + QByteArray::number(cseq) + "\r\nContent-Length:" + QByteArray::number(length)
        + "\r\n\r\n";
}

QByteArray answerFailed(int cseq, const QByteArray &reason)
{
    return answer("DBP/1.0 400 FAILED\r\n", cseq, reason);
}

QByteArray notification(const QByteArray &packetType, const QByteArray &subtype, const QByteArray &body)
{
    QByteArray m;
    m.reserve(96 + body.size());
    m += "POST DBP/1.0\r\nPacket-Type:" + packetType + "\r\n";
    if (!subtype.isEmpty())
        m += "Packet-Subtype:" + subtype + "\r\n";
    m += "Content-Length:" + QByteArray::number(body.size()) + "\r\n\r\n";
    m += body;
    return m;
}

QByteArray sqlConfigChange(const QByteArray &subtype, const QByteArray &rows)
{
    return notification("SqlConfig", subtype, rows);
}

QByteArray deleteMessage(const QByteArray &familyKey, int id)
{
    return "DELETE DBP/1.0\r\nPacket-Type:" + familyKey + "\r\nId: " + QByteArray::number(id)
        + "\r\nContent-Length:0\r\n\r\n";
}

} // namespace DbpWriter
