#pragma once

#include "db/TableRegistry.h"

#include <QByteArray>
#include <QVariant>

class SimDatabase;

// The notifications that tell consoles a registered table has changed.
namespace TablePush {

// "SqlConfig" with the table's subtype and the record's current rows: a
// terminal's row, or every row of one owner's book.
QByteArray changed(SimDatabase &db, const TableRegistry::Table &table, const QVariant &key);
QByteArray changed(SimDatabase &db, const QByteArray &tableName, const QVariant &key);
// The DELETE message of a record that is gone; the table must have a DELETE type.
QByteArray deleted(const TableRegistry::Table &table, int id);

} // namespace TablePush
