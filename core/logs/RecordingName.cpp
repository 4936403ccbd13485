#include "logs/RecordingName.h"

QString recordingFileName(const QString &serverPath)
{
    const QString name = serverPath.mid(serverPath.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || name.contains(QLatin1Char('\\')))
        return QString();
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return QString();
    }
    return name;
}
