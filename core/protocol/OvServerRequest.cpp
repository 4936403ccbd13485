#include "protocol/OvServerRequest.h"

#include "util/ByteSearch.h"

#include <cstring>

namespace {

// Header keys in the order a line is tested; the first present one wins.
enum Key { KeyCSeq, KeyData, KeyId, KeyContentLength, KeyPacketType, KeyPacketSubtype, KeyCount };

struct KeyName { const char *text; int length; };
constexpr KeyName kKeys[KeyCount] = {
    {"CSeq:", 5}, {"Data:", 5}, {"Id:", 3},
    {"Content-Length:", 15}, {"Packet-Type:", 12}, {"Packet-Subtype:", 15},
};

// Every key ends in ':', so the keys present in a line are exactly those
// whose name ends at one of its colons; the first such colon is the key's
// first occurrence.
void examineLine(const char *line, qsizetype length, OvServerRequest &out)
{
    qsizetype valueStart[KeyCount];
    unsigned found = 0;
    const char *p = line;
    const char *end = line + length;
    while (p < end) {
        const char *colon = static_cast<const char *>(std::memchr(p, ':', static_cast<size_t>(end - p)));
        if (!colon)
            break;
        const qsizetype colonPos = colon - line;
        p = colon + 1;
        // Cheap filter: every key's last letter before the colon.
        const char last = colonPos > 0 ? colon[-1] : '\0';
        if (last != 'q' && last != 'a' && last != 'd' && last != 'h' && last != 'e')
            continue;
        for (int k = 0; k < KeyCount; ++k) {
            if (found & (1u << k))
                continue;
            const int n = kKeys[k].length;
            if (colonPos + 1 >= n && std::memcmp(colon + 1 - n, kKeys[k].text, static_cast<size_t>(n)) == 0) {
                found |= 1u << k;
                valueStart[k] = colonPos + 1;
            }
        }
        if (found == (1u << KeyCount) - 1)
            break;
    }
    if (!found)
        return;
    int key = 0;
    while (!(found & (1u << key)))
        ++key;
    const qsizetype v = valueStart[key];
    switch (key) {
    case KeyCSeq:
        out.cseq = leadingDecimal32(line, v, length);
        break;
    case KeyData:
        break;
    case KeyId:
        out.id = leadingDecimal32(line, v, length);
        out.idIsNumber = isWholeDecimal32(line, v, length);
        break;
    case KeyContentLength:
        out.contentLength = leadingDecimal32(line, v, length);
        break;
    case KeyPacketType:
        out.packetType = QByteArray(line + v, static_cast<int>(length - v));
        break;
    case KeyPacketSubtype:
        out.packetSubtype = QByteArray(line + v, static_cast<int>(length - v));
        break;
    default:
        break;
    }
}

} // namespace

namespace {

// Examines every CR LF-terminated line; returns where the body starts, or -1.
qsizetype parseLines(const QByteArray &text, OvServerRequest &out)
{
    const char *data = text.constData();
    const qsizetype size = text.size();
    qsizetype pos = 0;
    while (pos < size) {
        const qsizetype eol = findCrLf(data, size, pos);
        if (eol < 0)
            break;
        examineLine(data + pos, eol - pos, out);
        pos = eol + 2;
    }
    const qsizetype headerEnd = findBytes(text, "\r\n\r\n");
    return headerEnd >= 0 ? headerEnd + 4 : -1;
}

} // namespace

void OvServerRequest::parse(const QByteArray &text)
{
    *this = OvServerRequest();
    const qsizetype bodyAt = parseLines(text, *this);
    if (bodyAt >= 0)
        body = text.mid(static_cast<int>(bodyAt));
}

void OvServerRequest::parseParts(const QByteArray &header, QByteArray &&bodyBytes)
{
    *this = OvServerRequest();
    parseLines(header, *this);
    parseLines(bodyBytes, *this);
    body = std::move(bodyBytes);
}

QByteArray OvServerRequest::toString() const
{
    return "{cseq " + QByteArray::number(cseq) + ", type '" + packetType + "', subtype '"
        + packetSubtype + "', id " + QByteArray::number(id) + ", length "
        + QByteArray::number(contentLength) + ", body " + QByteArray::number(body.size()) + " bytes}";
}

MessageClass classifyParts(const QByteArray &header, const QByteArray &body)
{
    struct Pattern { const char *text; qsizetype length; MessageClass kind; };
    static constexpr Pattern kPatterns[] = {
        {"DBP/1.0 200 OK", 14, MessageClass::AnswerOk},
        {"DBP/1.0 400 FAILED", 18, MessageClass::AnswerFailed},
        {"POST DBP/1.0", 12, MessageClass::Notification},
        {"SET", 3, MessageClass::SetMessage},
        {"DELETE", 6, MessageClass::DeleteMessage},
    };
    // Most messages are answers that start with the first pattern.
    if (header.startsWith("DBP/1.0 200 OK"))
        return MessageClass::AnswerOk;
    for (const Pattern &p : kPatterns) {
        if (findBytes(header.constData(), header.size(), p.text, p.length) >= 0
            || findBytes(body.constData(), body.size(), p.text, p.length) >= 0)
            return p.kind;
    }
    return MessageClass::Unknown;
}

MessageClass classify(const QByteArray &text)
{
    return classifyParts(text, QByteArray());
}

int cseqOfText(const QByteArray &text)
{
    const qsizetype at = findBytes(text, "CSeq:");
    if (at < 0)
        return -1;
    qsizetype end = findBytes(text, "\r\n", at);
    if (end < 0)
        end = text.size();
    return leadingDecimal32(text.constData(), at + 5, end);
}
