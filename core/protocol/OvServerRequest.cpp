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

void OvServerRequest::parse(const QByteArray &text)
{
    *this = OvServerRequest();
    const char *data = text.constData();
    const qsizetype size = text.size();

    const qsizetype headerEnd = findBytes(text, "\r\n\r\n");
    if (headerEnd >= 0)
        body = text.mid(static_cast<int>(headerEnd + 4));

    qsizetype pos = 0;
    while (pos < size) {
        const qsizetype eol = findBytes(data, size, "\r\n", 2, pos);
        if (eol < 0)
            break;
        examineLine(data + pos, eol - pos, *this);
        pos = eol + 2;
    }
}

QByteArray OvServerRequest::toString() const
{
    return "{cseq " + QByteArray::number(cseq) + ", type '" + packetType + "', subtype '"
        + packetSubtype + "', id " + QByteArray::number(id) + ", length "
        + QByteArray::number(contentLength) + ", body " + QByteArray::number(body.size()) + " bytes}";
}

MessageClass classify(const QByteArray &text)
{
    if (findBytes(text, "DBP/1.0 200 OK") >= 0)
        return MessageClass::AnswerOk;
    if (findBytes(text, "DBP/1.0 400 FAILED") >= 0)
        return MessageClass::AnswerFailed;
    if (findBytes(text, "POST DBP/1.0") >= 0)
        return MessageClass::Notification;
    if (findBytes(text, "SET") >= 0)
        return MessageClass::SetMessage;
    if (findBytes(text, "DELETE") >= 0)
        return MessageClass::DeleteMessage;
    return MessageClass::Unknown;
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
