#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// Small text helpers shared by the screens.
namespace textutil {

// False when the name holds one of / \ : * ? " < > | ' & (not allowed in
// names the server stores and uses as file names).
bool isValidName(const QString &name);

// Local time as "year/month/day hour:mm:ss"; "1900-01-01 00:00:00" when the
// time cannot be converted.
QString formatDateTime(qint64 secondsSince1970);

// Bytes as mebibytes with two decimals: "1.50MB".
QString formatSizeMB(qint64 bytes);

// "hh:mm:ss"; the hours are taken modulo 256, as the server's counters wrap.
QString formatDuration(int seconds);

// Convert between UTF-8 and GBK into `out` (zeroed first, and always left
// NUL-terminated, so at most size - 1 bytes are written). The result is the
// number of bytes written; -1 when the converter cannot be opened, the input
// is not valid in its code page, or the output does not fit.
int utf8ToGbk(const char *in, std::size_t inLength, char *out, std::size_t outSize);
int gbkToUtf8(const char *in, std::size_t inLength, char *out, std::size_t outSize);

// The same for whole texts; an empty result on failure.
QByteArray utf8ToGbk(const QByteArray &utf8);
QByteArray gbkToUtf8(const QByteArray &gbk);

} // namespace textutil
