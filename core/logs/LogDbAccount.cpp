#include "logs/LogDbAccount.h"

#include "config/ConfigFile.h"

LogDbAccount LogDbAccount::fromConfig(const QString &configPath)
{
    LogDbAccount account;
    if (const auto port = configfile::value(configPath, "Setting", "MySqlPort")) {
        bool ok = false;
        const int p = port->toInt(&ok);
        if (ok && p > 0 && p < 65536)
            account.port = p;
    }
    if (const auto user = configfile::text(configPath, "Setting", "LogDbUser"); user && !user->isEmpty())
        account.user = *user;
    if (const auto passwd = configfile::text(configPath, "Setting", "LogDbPasswd"); passwd)
        account.password = *passwd;
    return account;
}
