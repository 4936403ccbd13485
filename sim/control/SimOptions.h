#pragma once

#include <QHostAddress>
#include <QString>
#include <QStringList>

// The command line of talkback-sim.
struct SimOptions {
    QHostAddress listen{QHostAddress::LocalHost};
    quint16 port = 8999;
    quint16 mediaPort = 8906;
    QString mediaRoot;
    QString database;        // empty: in memory
    QString seed;            // empty: the built-in sample installation
    bool noSeed = false;
    int terminals = 0;       // > 0: generated installation
    QString levels;          // id:name:lv:type,...
    QStringList faults;
    int liveMs = 0;
    int speakerCheckMs = 1500;
    int tasks = -1;          // >= 0: generated sound-source tasks
    int taskSecondMs = 1000;
    qint64 maxRows = 200000;
    qint64 maxBytes = 128 * 1024 * 1024;
    QString logFile;
    QString logServer;
    bool keepRunning = false;

    // Parses the arguments; prints help or an error and returns false (with exitCode) when the run ends here.
    bool parse(const QStringList &arguments, int *exitCode);
};
