#pragma once

#include <QString>

// Settings read once at start-up from "config.ini" and kept for the run.
struct StartupSettings
{
    static constexpr int kDefaultMySqlPort = 8666;
    static constexpr int kDefaultRecordDownPort = 8906;

    int mySqlPort = kDefaultMySqlPort;
    int recordDownPort = kDefaultRecordDownPort;
    int maximise = 1;

    // "Setting/MySqlPort" and "Setting/RecordDownPort"; a missing key or 0
    // keeps the default.
    static StartupSettings read(const QString &iniPath);

    static StartupSettings &instance();
};
