#pragma once

#include "db/JsonRows.h"
#include "db/TableRegistry.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVector>

#include <initializer_list>
#include <optional>

struct sqlite3;

// The installation database: one SQLite connection, in memory or in a file.
class SimDatabase
{
public:
    SimDatabase() = default;
    ~SimDatabase();
    SimDatabase(const SimDatabase &) = delete;
    SimDatabase &operator=(const SimDatabase &) = delete;

    // Empty path: a private in-memory database. Creates missing tables.
    bool open(const QString &path, QString *error);
    sqlite3 *handle() const { return m_db; }

    bool execScript(const QByteArray &sql, QString *error);
    // One parameterised write; the number of changed rows, or -1 with error set.
    int exec(const QByteArray &sql, std::initializer_list<QVariant> args, QString *error = nullptr);
    int exec(const QByteArray &sql, const QVector<QVariant> &args, QString *error = nullptr);
    std::optional<QByteArray> value(const QByteArray &sql, std::initializer_list<QVariant> args);
    qint64 count(const QByteArray &table);

    // Runs a list request's SQL. Only a single read-only statement is accepted;
    // anything else (a write, a second statement, PRAGMA, ATTACH) is refused.
    JsonRows::Result readOnlyQuery(const QByteArray &sql, const JsonRows::Limits &limits);
    // The rows of a table whose key column equals key, as a change push carries them.
    QByteArray rowsWhere(const TableRegistry::Table &table, const QVariant &key);
    // Deletes the rows of one record in one transaction; a terminal's books go with it.
    bool removeRecord(const TableRegistry::Table &table, const QVariant &key, QString *error);

    struct Terminal {
        const TableRegistry::Table *table = nullptr;
        QByteArray type;
        int status = 0;
        QByteArray name;
    };
    // Terminal ids are unique across all families.
    std::optional<Terminal> findTerminal(qint64 id);

private:
    sqlite3 *m_db = nullptr;
};
