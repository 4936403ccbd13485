#include "config/StartupSettings.h"

#include "config/ConfigFile.h"

namespace {
int portOrDefault(const QString &iniPath, const char *key, int fallback)
{
    bool ok = false;
    const int value = configfile::value(iniPath, "Setting", key).value_or(QByteArray()).toInt(&ok);
    return ok && value != 0 ? value : fallback;
}
} // namespace

StartupSettings StartupSettings::read(const QString &iniPath)
{
    StartupSettings result;
    result.mySqlPort = portOrDefault(iniPath, "MySqlPort", kDefaultMySqlPort);
    result.recordDownPort = portOrDefault(iniPath, "RecordDownPort", kDefaultRecordDownPort);
    return result;
}

StartupSettings &StartupSettings::instance()
{
    static StartupSettings settings;
    return settings;
}
