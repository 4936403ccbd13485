#include "logs/OvLogRow.h"

#include <QCoreApplication>
#include <QDateTime>

#include <climits>

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
    return QDateTime::fromSecsSinceEpoch(seconds).toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
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
