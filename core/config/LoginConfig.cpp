#include "config/LoginConfig.h"

#include "config/IniStore.h"

namespace {
const QByteArray kSection = "Setting";

void takeText(const IniStore &store, const char *key, QByteArray &field)
{
    if (const auto v = store.value(kSection, key))
        field = *v;
}

void takeInt(const IniStore &store, const char *key, int &field)
{
    if (const auto v = store.value(kSection, key))
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
    IniStore &store = IniStore::instance();
    store.load(filePath);
    takeText(store, "User", user);
    takeText(store, "Passwd", password);
    takeText(store, "ServerIp", serverIp);
    takeInt(store, "ServerPort", serverPort);
    takeText(store, "FtpUser", ftpUser);
    takeText(store, "FtpPasswd", ftpPassword);
    takeInt(store, "FtpPort", ftpPort);
}

bool LoginConfig::storeAndSave(const QByteArray &newUser, const QByteArray &newPassword,
                               const QByteArray &newServerIp, int newServerPort)
{
    user = newUser;
    password = newPassword;
    serverIp = newServerIp;
    serverPort = newServerPort;

    IniStore &store = IniStore::instance();
    const auto storedIp = store.value(kSection, "ServerIp");
    const auto storedUser = store.value(kSection, "User");
    store.setValue(kSection, "ServerIp", serverIp);
    store.setValue(kSection, "ServerPort", serverPort);
    store.setValue(kSection, "User", user);
    const bool changed = (storedIp && *storedIp != serverIp) || (storedUser && *storedUser != user);
    if (!changed)
        return false;
    return store.save(path);
}
