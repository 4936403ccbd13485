#pragma once

#include <QString>

class SimDatabase;

// A backup of the installation database is a complete SQLite database file,
// written and read back with SQLite's online backup, so a backup taken while
// consoles are connected is consistent and a restore replaces every table.
namespace DatabaseBackup {

// Writes the whole database into file (replacing it). False with error set.
bool write(SimDatabase &db, const QString &file, QString *error);

// Replaces the database's content by that of file, which must be an SQLite
// database holding the installation's account table; otherwise nothing
// changes. False with error set.
bool restore(SimDatabase &db, const QString &file, QString *error);

} // namespace DatabaseBackup
