#pragma once

#include "commands/CommandBody.h"
#include "db/SimDatabase.h"

#include <optional>
#include <vector>

// Checks shared by the command handlers.
namespace CommandSupport {

struct Target {
    qint64 id = 0;
    SimDatabase::Terminal terminal;
};

// The terminal named by the body's "Id", which must belong to one of tables.
std::optional<Target> target(SimDatabase &db, const CommandBody &body,
                             const std::vector<const char *> &tables, QByteArray *reason);
std::optional<Target> targetById(SimDatabase &db, const QByteArray &idText,
                                 const std::vector<const char *> &tables, QByteArray *reason);

using Row = QVector<QVariant>;

// Whether the registered table holds a record with this key.
bool exists(SimDatabase &db, const char *table, qint64 key);
// Replaces every row of one owner in a registered table inside one transaction;
// insertSql binds each row's values in order.
bool replaceRows(SimDatabase &db, const char *table, qint64 owner, const QByteArray &insertSql,
                 const QVector<Row> &rows, QString *error);

// Refuses members the command does not define, so a misspelt name is not silently dropped.
bool onlyMembers(const CommandBody &body, const std::vector<const char *> &allowed, QByteArray *reason);

} // namespace CommandSupport
