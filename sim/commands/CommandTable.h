#pragma once

#include "commands/CommandOutcome.h"

#include <QByteArray>

class DbpMessage;
class SimDatabase;

struct CommandSettings {
    int speakerCheckMs = 1500;  // how long a loudspeaker check takes before its result is pushed
    int taskSecondMs = 1000;    // how long one second of a task's play time lasts
};

// Runs the change commands (POST packet types and SET PlayTermConfig), keyed by
// the request's packet type, against the installation database.
namespace CommandTable {

bool knows(const QByteArray &key);
CommandOutcome run(SimDatabase &db, const CommandSettings &settings, const DbpMessage &request);

} // namespace CommandTable
