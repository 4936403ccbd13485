#include "config/LoginConfig.h"

#include "config/ConfigFile.h"
#include "config/IniStore.h"

namespace {
const QByteArray kSection = "Setting";

void takeText(const QString &path, const char *key, QByteArray &field)
{
    if (const auto v = configfile::value(path, kSection, key))
        field = *v;
}

void takeInt(const QString &path, const char *key, int &field)
{
    if (const auto v = configfile::value(path, kSection, key))
        field = v->toInt();
}
} // namespace

LoginConfig &LoginConfig::instance()
{
    static LoginConfig config;
    return config;
}

void LoginConfig::load(const QString &filePath)
{
    path = filePath;
    takeText(path, "User", user);
    takeText(path, "Passwd", password);
    takeText(path, "ServerIp", serverIp);
    takeInt(path, "ServerPort", serverPort);
    takeText(path, "FtpUser", ftpUser);
    takeText(path, "FtpPasswd", ftpPassword);
    takeInt(path, "FtpPort", ftpPort);
}

bool LoginConfig::storeAndSave(const QByteArray &newUser, const QByteArray &newPassword,
                               const QByteArray &newServerIp, int newServerPort)
{
    user = newUser;
    password = newPassword;
    serverIp = newServerIp;
    serverPort = newServerPort;

    // Compared with the file as it is now, not as it was at start-up, and
    // only these three keys change: whatever else was stored since stays.
    return configfile::update(path, [this](IniStore &store) {
        const auto storedIp = store.value(kSection, "ServerIp");
        const auto storedUser = store.value(kSection, "User");
        store.setValue(kSection, "ServerIp", serverIp);
        store.setValue(kSection, "ServerPort", serverPort);
        store.setValue(kSection, "User", user);
        return (storedIp && *storedIp != serverIp) || (storedUser && *storedUser != user);
    });
}
