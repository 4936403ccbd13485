#pragma once

#include "LoginDialog.h"

#include <QStringList>

// The console's command line: the login options, "-max" and "--help".
struct ConsoleOptions
{
    LoginOptions login;
    int maximise = 1;
    bool help = false;

    static ConsoleOptions parse(const QStringList &arguments);
    static QString helpText(const QString &program);
};
