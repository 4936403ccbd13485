#pragma once

#include "commands/CommandBody.h"
#include "db/SimDatabase.h"

#include <initializer_list>
#include <optional>

// Checks shared by the command handlers.
namespace CommandSupport {

struct Target {
    qint64 id = 0;
    SimDatabase::Terminal terminal;
};

// The terminal named by the body's "Id", which must belong to one of tables.
std::optional<Target> target(SimDatabase &db, const CommandBody &body,
                             std::initializer_list<const char *> tables, QByteArray *reason);
std::optional<Target> targetById(SimDatabase &db, const QByteArray &idText,
                                 std::initializer_list<const char *> tables, QByteArray *reason);

// Refuses members the command does not define, so a misspelt name is not silently dropped.
bool onlyMembers(const CommandBody &body, std::initializer_list<const char *> allowed, QByteArray *reason);

} // namespace CommandSupport
