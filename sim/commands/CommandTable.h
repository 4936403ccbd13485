#pragma once

#include "commands/CommandOutcome.h"

#include <QByteArray>
#include <QString>

class DbpMessage;
class SimDatabase;

// Where DataBackup writes and DataRecovery reads (the file service serves
// the same directories), and the control channel's backup faults.
struct BackupSettings {
    QString backupDir;
    QString recoveryDir;
    int answerDelayMs = 0;       // how long writing a backup takes
    bool upperCaseDigest = false; // answer the digest in capitals
    bool corruptFile = false;     // damage the written file after its digest is taken
    bool overrideName = false;    // answer answerName instead of the file written
    QString answerName;           // (empty: no BackupFile member at all)
};

struct CommandSettings {
    int speakerCheckMs = 1500;  // how long a loudspeaker check takes before its result is pushed
    int taskSecondMs = 1000;    // how long one second of a task's play time lasts
    BackupSettings backup;
};

// Runs the change commands (POST packet types and SET PlayTermConfig), keyed by
// the request's packet type, against the installation database.
namespace CommandTable {

bool knows(const QByteArray &key);
CommandOutcome run(SimDatabase &db, const CommandSettings &settings, const DbpMessage &request);

} // namespace CommandTable
