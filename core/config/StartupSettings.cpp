#include "config/StartupSettings.h"

#include <QSettings>

namespace {
int portOrDefault(const QSettings &settings, const char *key, int fallback)
{
    bool ok = false;
    const int value = settings.value(QLatin1String(key)).toInt(&ok);
    return ok && value != 0 ? value : fallback;
}
} // namespace

StartupSettings StartupSettings::read(const QString &iniPath)
{
    QSettings settings(iniPath, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    StartupSettings result;
    result.mySqlPort = portOrDefault(settings, "Setting/MySqlPort", kDefaultMySqlPort);
    result.recordDownPort = portOrDefault(settings, "Setting/RecordDownPort", kDefaultRecordDownPort);
    return result;
}

StartupSettings &StartupSettings::instance()
{
    static StartupSettings settings;
    return settings;
}
