#pragma once

#include "commands/CommandOutcome.h"

#include <QByteArray>

class DbpMessage;
class SimDatabase;

// The commands that check members of a request and store them in columns of
// the target terminal's own row, then push that row. Each one is an entry of
// one table (packet type, tables of the target, members and their columns),
// so a new setter is written as data, not as another copy of a handler.
namespace SetterTable {

struct Setter;

const Setter *find(const QByteArray &packetType);
CommandOutcome run(const Setter &setter, SimDatabase &db, const DbpMessage &request);

} // namespace SetterTable
