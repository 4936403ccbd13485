#pragma once

#include <QByteArray>
#include <QVector>

// The tables whose rows the simulator pushes to consoles, and how each one
// names its records. Change pushes, device removal and the control channel
// read the key column, the push subtype and the DELETE type from here, so a
// new table (a task list, a parameter table) is one more entry in tables().
namespace TableRegistry {

enum class Kind {
    Terminal,  // one row per terminal; terminal ids are unique across all of these tables
    Book,      // rows owned by a terminal (the key is the owner's id), removed with it
    Record,    // rows of their own, named by the key column
};

struct Table {
    QByteArray name;        // SQLite table as the schema declares it ("Mic26")
    QByteArray keyColumn;   // the column that selects a record's rows ("terminalId")
    QByteArray subtype;     // Packet-Subtype of its change pushes ("mic26")
    QByteArray deleteType;  // Packet-Type of its DELETE messages ("M26"); empty: never deleted by message
    Kind kind;
};

const QVector<Table> &tables();
QVector<const Table *> ofKind(Kind kind);
// By table name, ignoring case as SQLite does; nullptr for a table not registered.
const Table *find(const QByteArray &name);
// A table the code itself names; an unregistered name is a programming error.
const Table &named(const QByteArray &name);

} // namespace TableRegistry
