#include "managers/tasks/TaskText.h"

#include <limits>

namespace tasktext {

namespace {

// Length of the UTF-8 sequence that starts with this byte; 1 for a byte that
// cannot start one (it is then kept as it is).
int sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1;
}

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

} // namespace

QByteArray cutUtf8(const QByteArray &text, int maxBytes)
{
    if (maxBytes <= 0)
        return QByteArray();
    if (text.size() <= maxBytes)
        return text;
    int end = 0;
    while (end < text.size()) {
        int length = sequenceLength(static_cast<unsigned char>(text.at(end)));
        // A broken sequence counts byte by byte.
        for (int i = 1; i < length; ++i) {
            if (end + i >= text.size() || !isContinuation(static_cast<unsigned char>(text.at(end + i)))) {
                length = 1;
                break;
            }
        }
        if (end + length > maxBytes)
            break;
        end += length;
    }
    return text.left(end);
}

qint64 leadingDecimal(const char *p)
{
    if (!p)
        return 0;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    constexpr quint64 kLimit = static_cast<quint64>(std::numeric_limits<qint64>::max()) + 1;
    quint64 value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (value < kLimit)
            value = value * 10 + static_cast<quint64>(*p - '0');
    }
    if (value >= kLimit)
        return negative ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
    return negative ? -static_cast<qint64>(value) : static_cast<qint64>(value);
}

} // namespace tasktext
