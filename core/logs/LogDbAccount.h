#pragma once

#include <QString>

// Where and as whom the console reads the log database: the account is the
// installation's fixed one ("root" / "wkfj") unless "Setting/LogDbUser" /
// "Setting/LogDbPasswd" override it; the port is "Setting/MySqlPort" (a
// missing or zero value keeps 8666).
struct LogDbAccount
{
    static constexpr int kDefaultPort = 8666;

    QString host;
    QString user = QStringLiteral("root");
    QString password = QStringLiteral("wkfj");
    QString database = QStringLiteral("talkbacklog");
    int port = kDefaultPort;

    // The account with the settings of the given "config.ini".
    static LogDbAccount fromConfig(const QString &configPath = QStringLiteral("config.ini"));
};
