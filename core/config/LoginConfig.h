#pragma once

#include <QByteArray>
#include <QString>

// The login settings of "config.ini", section "Setting".
struct LoginConfig
{
    QString path = QStringLiteral("config.ini");
    QByteArray user;
    QByteArray password;
    QByteArray serverIp;
    int serverPort = 0;
    QByteArray ftpUser;
    QByteArray ftpPassword;
    QByteArray backupUser = "Backup";
    QByteArray backupPassword = "Backup";
    int ftpPort = 0;

    // Reads the file and takes every key that exists.
    void load(const QString &filePath);

    // Keeps the dialog's values and applies the save rule to the file as it
    // is now: "ServerIp", "ServerPort" and "User" are written only when a
    // stored "ServerIp" or "User" existed and differed. The password is never
    // written. Returns true when the file was written.
    bool storeAndSave(const QByteArray &newUser, const QByteArray &newPassword,
                      const QByteArray &newServerIp, int newServerPort);

    static LoginConfig &instance();
};
