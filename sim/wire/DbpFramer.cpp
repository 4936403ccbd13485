#include "wire/DbpFramer.h"

#include "wire/DbpMessage.h"

namespace {

bool parseLength(const QByteArray &text, qint64 *value)
{
    const QByteArray t = text.trimmed();
    if (t.isEmpty() || t.size() > 18)
        return false;
    qint64 v = 0;
    for (char c : t) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    *value = v;
    return true;
}

} // namespace

FrameResult frameRequest(const QByteArray &buffer, const FrameLimits &limits)
{
    FrameResult r;
    qsizetype start = 0;
    while (buffer.size() - start >= 2 && buffer.at(start) == '\r' && buffer.at(start + 1) == '\n')
        start += 2;
    r.skip = start;

    const qsizetype end = buffer.indexOf("\r\n\r\n", start);
    if (end < 0) {
        if (buffer.size() - start > limits.maxHeaderBytes) {
            r.status = FrameResult::Bad;
            r.error = QStringLiteral("header block longer than %1 bytes").arg(limits.maxHeaderBytes);
        }
        return r;
    }
    const qsizetype headerSize = end + 4 - start;
    if (headerSize > limits.maxHeaderBytes + 4) {
        r.status = FrameResult::Bad;
        r.error = QStringLiteral("header block longer than %1 bytes").arg(limits.maxHeaderBytes);
        return r;
    }

    qint64 length = 0;
    const QByteArray header = buffer.mid(start, headerSize);
    const QByteArray value = DbpMessage::headerValue(header, "Content-Length");
    if (!value.isNull() && !parseLength(value, &length)) {
        r.status = FrameResult::Bad;
        r.error = QStringLiteral("Content-Length is not a number: %1").arg(QString::fromLatin1(value));
        return r;
    }
    if (length > limits.maxBodyBytes) {
        r.status = FrameResult::Bad;
        r.error = QStringLiteral("Content-Length %1 exceeds %2 bytes").arg(length).arg(limits.maxBodyBytes);
        return r;
    }
    if (buffer.size() - start < headerSize + length)
        return r;
    r.status = FrameResult::Complete;
    r.size = headerSize + qsizetype(length);
    return r;
}
