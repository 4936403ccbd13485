#include "TitleSetting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

#include <cstdio>

namespace titlesetting {

QString read(const QString &iniPath)
{
    QSettings settings(iniPath, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    return settings.value(QStringLiteral("Setting/Title")).toString();
}

bool write(const QString &iniPath, const QString &title)
{
    const QFileInfo target(iniPath);
    QTemporaryFile temp(target.absoluteDir().filePath(QStringLiteral(".config.ini.XXXXXX")));
    if (!temp.open())
        return false;
    if (target.exists()) {
        QFile old(iniPath);
        if (!old.open(QIODevice::ReadOnly) || temp.write(old.readAll()) < 0)
            return false;
    }
    temp.close();
    {
        QSettings settings(temp.fileName(), QSettings::IniFormat);
        settings.setIniCodec("UTF-8");
        settings.setValue(QStringLiteral("Setting/Title"), title);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return false;
    }
    // rename() replaces the old file in one step on the same file system.
    if (std::rename(QFile::encodeName(temp.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return false;
    temp.setAutoRemove(false);
    return true;
}

} // namespace titlesetting
