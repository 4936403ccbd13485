#pragma once

#include <QString>

// One row of any of the three logs; a log fills only its own fields, the
// others stay 0 or empty. Times are Unix seconds held as text.
struct OvLogRow
{
    int id = 0;
    int terminalId = 0;
    QString name;
    QString ip;
    QString date;
    QString endTime;
    int callerId = 0;
    int calledId = 0;
    QString callerName;
    QString calledName;
    QString type;
    QString content;
    QString recordFile;
};

namespace logrow {

// Decimal text to integer as the server's texts are read: leading blanks and
// a sign allowed, digits up to the first other character, 0 when there are
// none; clamped to the int range.
int toInt(const QByteArray &text);

// "yyyy/MM/dd hh:mm:ss" in local time; the text itself when it is no number.
QString formatTime(const QString &unixSeconds);

// The talk-type text shown on screen for a type value (translated source
// texts; a value above 10 as it is).
QString talkTypeText(const QString &type);
// The talk-type text of the export: "对讲", "广播" or "UNKNOW".
QString talkTypeExportText(const QString &type);

} // namespace logrow
