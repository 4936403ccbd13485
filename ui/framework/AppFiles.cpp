#include "framework/AppFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace appfiles {

QString locate(const QString &relative)
{
    if (QFileInfo::exists(relative))
        return relative;
    if (QCoreApplication::instance()) {
        const QDir exeDir(QCoreApplication::applicationDirPath());
        const QString candidates[] = {
            exeDir.filePath(relative),
            exeDir.filePath(QStringLiteral("../share/talkback-console/") + relative),
        };
        for (const QString &candidate : candidates) {
            if (QFileInfo::exists(candidate))
                return QDir::cleanPath(candidate);
        }
    }
    return relative;
}

QString imagesDir()
{
    return QFileInfo(locate(QStringLiteral("images"))).filePath();
}

} // namespace appfiles
