#pragma once

#include <QByteArray>

#include <cstring>
#include <string.h>

// Substring search over raw bytes (glibc's memmem is linear and fast, which
// matters for multi-megabyte list answers).
inline qsizetype findBytes(const char *hay, qsizetype hayLen, const char *needle,
                           qsizetype needleLen, qsizetype from = 0)
{
    if (from < 0 || from > hayLen || needleLen > hayLen - from)
        return -1;
    const void *hit = ::memmem(hay + from, static_cast<size_t>(hayLen - from), needle,
                               static_cast<size_t>(needleLen));
    return hit ? static_cast<const char *>(hit) - hay : -1;
}

// The next CR LF at or after `from`; memchr runs far faster than a general
// substring search over bodies that hold no CR at all.
inline qsizetype findCrLf(const char *text, qsizetype length, qsizetype from)
{
    while (from < length) {
        const void *cr = std::memchr(text + from, '\r', static_cast<size_t>(length - from));
        if (!cr)
            return -1;
        const qsizetype at = static_cast<const char *>(cr) - text;
        if (at + 1 < length && text[at + 1] == '\n')
            return at;
        from = at + 1;
    }
    return -1;
}

template<qsizetype N>
inline qsizetype findBytes(const QByteArray &hay, const char (&needle)[N], qsizetype from = 0)
{
    return findBytes(hay.constData(), hay.size(), needle, N - 1, from);
}

// Decimal value at text[pos..end): leading blanks skipped, the first non-digit
// ends the number, no digit gives 0. Saturates instead of overflowing.
inline qint64 leadingDecimal(const char *text, qsizetype pos, qsizetype end)
{
    while (pos < end && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    bool negative = false;
    if (pos < end && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    qint64 value = 0;
    constexpr qint64 kCap = qint64(1) << 40;
    while (pos < end && text[pos] >= '0' && text[pos] <= '9') {
        if (value < kCap)
            value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return negative ? -value : value;
}

// The same, clamped to the 32-bit range the message fields hold.
inline int leadingDecimal32(const char *text, qsizetype pos, qsizetype end)
{
    const qint64 v = leadingDecimal(text, pos, end);
    if (v > 2147483647)
        return 2147483647;
    if (v < -2147483647 - 1)
        return -2147483647 - 1;
    return static_cast<int>(v);
}

// Whether text[pos..end) is exactly one decimal number in the 32-bit range:
// blanks around it, an optional sign, at least one digit, nothing else.
inline bool isWholeDecimal32(const char *text, qsizetype pos, qsizetype end)
{
    while (pos < end && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    while (end > pos && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    const qsizetype digitsFrom = pos < end && (text[pos] == '-' || text[pos] == '+') ? pos + 1 : pos;
    if (digitsFrom >= end || end - digitsFrom > 10)
        return false;
    for (qsizetype p = digitsFrom; p < end; ++p) {
        if (text[p] < '0' || text[p] > '9')
            return false;
    }
    const qint64 v = leadingDecimal(text, pos, end);
    return v >= -2147483647 - 1 && v <= 2147483647;
}
