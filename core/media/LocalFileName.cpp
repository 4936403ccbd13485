#include "media/LocalFileName.h"

namespace LocalFileName {

QString fromServerName(const QString &serverName)
{
    const int cut = qMax(serverName.lastIndexOf(QLatin1Char('/')),
                         serverName.lastIndexOf(QLatin1Char('\\')));
    const QString name = serverName.mid(cut + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QString();
    for (const QChar c : name) {
        if (c == QLatin1Char(':') || c.unicode() < 0x20 || c.unicode() == 0x7f)
            return QString();
    }
    return name;
}

} // namespace LocalFileName
