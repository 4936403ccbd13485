#include "logs/OvLogRow.h"

#include <QCoreApplication>

#include <climits>
#include <cstdio>
#include <ctime>

namespace logrow {

int toInt(const QByteArray &text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    qint64 value = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > qint64(INT_MAX) + 1)
            break;
    }
    if (negative)
        value = -value;
    return static_cast<int>(qBound<qint64>(INT_MIN, value, INT_MAX));
}

QString formatTime(const QString &unixSeconds)
{
    bool ok = false;
    const qint64 seconds = unixSeconds.trimmed().toLongLong(&ok);
    if (!ok)
        return unixSeconds;
    // The C library's local time: an export formats two times a row, and
    // QDateTime's conversion costs several times as much.
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&t, &local))
        return unixSeconds;
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return QString::fromLatin1(buffer);
}

QString talkTypeText(const QString &type)
{
    static const char *const kTexts[] = {
        QT_TRANSLATE_NOOP("TalkType", "EmergencyHelp"), QT_TRANSLATE_NOOP("TalkType", "Talkback"),
        QT_TRANSLATE_NOOP("TalkType", "Broadcast"),     QT_TRANSLATE_NOOP("TalkType", "Talkback"),
        QT_TRANSLATE_NOOP("TalkType", "Broadcast"),     QT_TRANSLATE_NOOP("TalkType", "Login Out"),
        QT_TRANSLATE_NOOP("TalkType", "Idle"),          QT_TRANSLATE_NOOP("TalkType", "Sound Source Broadcast"),
        QT_TRANSLATE_NOOP("TalkType", "Mic Broadcast"), QT_TRANSLATE_NOOP("TalkType", "Ring By Call"),
        QT_TRANSLATE_NOOP("TalkType", "TalkingMonitor"),
    };
    const int t = toInt(type.toUtf8());
    // A type the table does not know is shown as its number rather than
    // as nothing.
    if (t < 0 || t > 10)
        return type;
    return QCoreApplication::translate("TalkType", kTexts[t]);
}

QString talkTypeExportText(const QString &type)
{
    switch (toInt(type.toUtf8())) {
    case 1:
        return QStringLiteral("对讲");
    case 2:
        return QStringLiteral("广播");
    default:
        return QStringLiteral("UNKNOW");
    }
}

} // namespace logrow
