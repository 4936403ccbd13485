#pragma once

#include "commands/CommandOutcome.h"

#include <QByteArray>

class DbpMessage;
class SimDatabase;

struct CommandSettings {
    int speakerCheckMs = 1500;  // how long a loudspeaker check takes before its result is pushed
};

// Runs the change commands (POST packet types and SET PlayTermConfig), keyed by
// the request's packet type, against the installation database.
namespace CommandTable {

bool knows(const QByteArray &key);
CommandOutcome run(SimDatabase &db, const CommandSettings &settings, const DbpMessage &request);

// The change push for the rows of one terminal, or of one owner in a book table.
QByteArray changePush(SimDatabase &db, const QByteArray &table, qint64 id);

} // namespace CommandTable
