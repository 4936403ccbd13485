#include "ConsoleOptions.h"

#include "config/CommandLine.h"


ConsoleOptions ConsoleOptions::parse(const QStringList &arguments)
{
    ConsoleOptions options;
    options.login.serverIp = commandLineValue(arguments, QStringLiteral("-serverip"));
    options.login.user = commandLineValue(arguments, QStringLiteral("-user"));
    options.login.password = commandLineValue(arguments, QStringLiteral("-password"));
    // A present "-max" sets the flag from its value, an absent one keeps 1.
    if (const auto max = commandLineValue(arguments, QStringLiteral("-max")))
        options.maximise = max->toInt();
    options.help = arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"));
    return options;
}

QString ConsoleOptions::helpText(const QString &program)
{
    // Printed before the application (and its translation) exists.
    return QStringLiteral(
               "Usage: %1 [-serverip ADDRESS] [-user NAME] [-password PASSWORD] [-max N]\n"
               "\n"
               "Operator console of the talkback installation.\n"
               "\n"
               "  -serverip ADDRESS   server IPv4 address (replaces ServerIp of config.ini)\n"
               "  -user NAME          user name (replaces User of config.ini)\n"
               "  -password PASSWORD  password for the login dialog\n"
               "  -max N              a non-zero N starts the main window maximised\n"
               "  --help              show this text and exit\n"
               "\n"
               "With -serverip, -user and -password all given, the console logs in at once\n"
               "without showing the login dialog and exits with code 1 when the login fails.\n"
               "The server port is read from ServerPort in config.ini (section [Setting]),\n"
               "which is looked for in the working directory, then beside the program.\n")
        .arg(program);
}
