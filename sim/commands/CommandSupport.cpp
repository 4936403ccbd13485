#include "commands/CommandSupport.h"

#include <QStringList>

namespace CommandSupport {

std::optional<Target> targetById(SimDatabase &db, const QByteArray &idText,
                                 const std::vector<const char *> &tables, QByteArray *reason)
{
    const auto id = CommandBody::parseInteger(idText);
    if (!id) {
        *reason = "Id must be a number";
        return std::nullopt;
    }
    const auto t = db.findTerminal(*id);
    if (!t) {
        *reason = "unknown terminal " + QByteArray::number(*id);
        return std::nullopt;
    }
    for (const char *table : tables) {
        if (t->table->name == table)
            return Target{*id, *t};
    }
    *reason = "terminal " + QByteArray::number(*id) + " is a " + t->table->name + " terminal";
    return std::nullopt;
}

std::optional<Target> target(SimDatabase &db, const CommandBody &body,
                             const std::vector<const char *> &tables, QByteArray *reason)
{
    const auto idText = body.text("Id", reason);
    if (!idText)
        return std::nullopt;
    return targetById(db, *idText, tables, reason);
}

bool exists(SimDatabase &db, const char *table, qint64 key)
{
    const TableRegistry::Table &t = TableRegistry::named(table);
    return bool(db.value("select 1 from \"" + t.name + "\" where \"" + t.keyColumn + "\" = ?", {key}));
}

bool replaceRows(SimDatabase &db, const char *table, qint64 owner, const QByteArray &insertSql,
                 const QVector<Row> &rows, QString *error)
{
    const TableRegistry::Table &t = TableRegistry::named(table);
    db.execScript("BEGIN", nullptr);
    bool ok = db.exec("delete from \"" + t.name + "\" where \"" + t.keyColumn + "\" = ?", {owner}, error) >= 0;
    for (const Row &row : rows)
        ok = ok && db.exec(insertSql, row, error) >= 0;
    db.execScript(ok ? "COMMIT" : "ROLLBACK", nullptr);
    return ok;
}

bool onlyMembers(const CommandBody &body, const std::vector<const char *> &allowed, QByteArray *reason)
{
    for (const QString &name : body.names()) {
        bool known = false;
        for (const char *a : allowed)
            known = known || name == QLatin1String(a);
        if (!known) {
            *reason = "unknown member " + name.toUtf8();
            return false;
        }
    }
    return true;
}

} // namespace CommandSupport
