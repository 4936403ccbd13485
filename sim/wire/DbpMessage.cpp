#include "wire/DbpMessage.h"

DbpMessage DbpMessage::parse(const QByteArray &frame)
{
    DbpMessage m;
    m.m_raw = frame;
    const qsizetype end = frame.indexOf("\r\n\r\n");
    const QByteArray head = end < 0 ? frame : frame.left(end);
    m.m_body = end < 0 ? QByteArray() : frame.mid(end + 4);
    const QList<QByteArray> lines = head.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray line = lines.at(i);
        if (line.endsWith('\r'))
            line.chop(1);
        if (i == 0) {
            const QList<QByteArray> words = line.simplified().split(' ');
            m.m_verb = words.value(0);
            m.m_version = words.value(1);
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        m.m_headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
    }
    return m;
}

QByteArray DbpMessage::headerValue(const QByteArray &headerBlock, const QByteArray &name)
{
    qsizetype pos = headerBlock.indexOf("\r\n");
    while (pos >= 0) {
        const qsizetype lineStart = pos + 2;
        qsizetype lineEnd = headerBlock.indexOf("\r\n", lineStart);
        if (lineEnd < 0)
            lineEnd = headerBlock.size();
        const QByteArray line = headerBlock.mid(lineStart, lineEnd - lineStart);
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed() == name)
            return line.mid(colon + 1).trimmed();
        pos = lineEnd < headerBlock.size() ? lineEnd : -1;
    }
    return QByteArray();
}

QByteArray DbpMessage::header(const QByteArray &name) const
{
    for (const auto &h : m_headers) {
        if (h.first == name)
            return h.second.isNull() ? QByteArray("") : h.second;
    }
    return QByteArray();
}

int DbpMessage::cseq() const
{
    bool ok = false;
    const int v = header("CSeq").toInt(&ok);
    return ok ? v : -1;
}

QByteArray DbpMessage::key() const
{
    QByteArray k = header("Packet-Type");
    if (k.isEmpty())
        k = header("Command");
    if (k.isEmpty())
        k = m_verb;
    return k;
}
