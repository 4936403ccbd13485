#include "framework/TextUtils.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <vector>

namespace textutil {

bool isValidName(const QString &name)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|'&");
    for (const QChar c : name) {
        if (forbidden.contains(c))
            return false;
    }
    return true;
}

QString formatDateTime(qint64 secondsSince1970)
{
    const std::time_t t = static_cast<std::time_t>(secondsSince1970);
    std::tm local{};
    if (static_cast<qint64>(t) != secondsSince1970 || !localtime_r(&t, &local))
        return QStringLiteral("1900-01-01 00:00:00");
    return QString::asprintf("%d/%d/%d %d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                             local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
}

QString formatSizeMB(qint64 bytes)
{
    const float mb = static_cast<float>(bytes) / 1048576.0f;
    return QString::asprintf("%0.2fMB", static_cast<double>(mb));
}

QString formatDuration(int seconds)
{
    const int hours = (seconds / 3600) % 256;
    const int minutes = (seconds / 60) % 60;
    return QString::asprintf("%02d:%02d:%02d", hours, minutes, seconds % 60);
}

namespace {

int convert(const char *to, const char *from, const char *in, std::size_t inLength, char *out,
            std::size_t outSize)
{
    if (!out || outSize == 0)
        return -1;
    std::memset(out, 0, outSize);
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return -1;
    char *inPtr = const_cast<char *>(in);
    std::size_t inLeft = in ? inLength : 0;
    char *outPtr = out;
    std::size_t outLeft = outSize - 1;  // room for the terminating zero
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) {
        std::memset(out, 0, outSize);
        return -1;
    }
    return static_cast<int>(outPtr - out);
}

QByteArray convertAll(const char *to, const char *from, const QByteArray &text)
{
    // Neither direction writes more than three bytes per input byte: GBK's
    // single byte 0x80 is the euro sign, three bytes in UTF-8.
    std::vector<char> buffer(static_cast<std::size_t>(text.size()) * 3 + 1);
    const int n = convert(to, from, text.constData(), static_cast<std::size_t>(text.size()),
                          buffer.data(), buffer.size());
    return n < 0 ? QByteArray() : QByteArray(buffer.data(), n);
}

} // namespace

int utf8ToGbk(const char *in, std::size_t inLength, char *out, std::size_t outSize)
{
    return convert("GBK", "UTF-8", in, inLength, out, outSize);
}

int gbkToUtf8(const char *in, std::size_t inLength, char *out, std::size_t outSize)
{
    return convert("UTF-8", "GBK", in, inLength, out, outSize);
}

QByteArray utf8ToGbk(const QByteArray &utf8)
{
    return convertAll("GBK", "UTF-8", utf8);
}

QByteArray gbkToUtf8(const QByteArray &gbk)
{
    return convertAll("UTF-8", "GBK", gbk);
}

} // namespace textutil
