#pragma once

#include <QByteArray>
#include <QMetaType>

#include <json/value.h>

// One row of the server's parameter table, or the answer to a backup request
// (name = the backup file, value = its MD5 digest, kind BackupAnswer).
struct ServerParameter
{
    enum Kind : int {
        RecordServer = 0,   // "Record_Server": address:port
        TalkLogServer = 1,  // "Talk_Log_Server": address:port
        VadPttTimeOut = 2,  // "Vad_Ptt_Time_Out": seconds, decimal
        BackupAnswer = 3,
        SystemName = 4,     // "System_Name": the console's title
        Other = 5,          // kept but not used
    };

    QByteArray name;
    QByteArray value;
    int kind = Other;

    // Exact, case-sensitive comparison of the whole name.
    static int kindOf(const QByteArray &name);
    // Members "name" and "value" as texts (missing: empty); kind from the name.
    static ServerParameter fromRow(const Json::Value &row);
};

Q_DECLARE_METATYPE(ServerParameter)
