#include "TitleSetting.h"

#include "config/ConfigFile.h"

namespace titlesetting {

QString read(const QString &iniPath)
{
    return configfile::text(iniPath, "Setting", "Title").value_or(QString());
}

bool write(const QString &iniPath, const QString &title)
{
    return configfile::writeText(iniPath, "Setting", "Title", title);
}

} // namespace titlesetting
