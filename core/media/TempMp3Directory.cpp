#include "media/TempMp3Directory.h"

#include <QDir>
#include <QFileInfo>

namespace TempMp3Directory {

bool prepare(const QString &dir)
{
    QDir d(dir);
    if (d.exists()) {
        const QFileInfoList entries =
            d.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QFileInfo &e : entries) {
            // A link is removed itself, never followed into what it points at.
            if (e.isDir() && !e.isSymLink())
                QDir(e.filePath()).removeRecursively();
            else
                QFile::remove(e.filePath());
        }
    }
    return QDir().mkpath(dir);
}

} // namespace TempMp3Directory
