#include "db/SimDatabase.h"

#include "db/SimSchema.h"
#include "db/SqlStatement.h"

#include <sqlite3.h>

namespace {

// Lets a list query read tables and call functions and nothing else.
int readOnlyAuthorizer(void *, int action, const char *, const char *, const char *, const char *)
{
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

} // namespace

SimDatabase::~SimDatabase()
{
    sqlite3_close(m_db);
}

bool SimDatabase::open(const QString &path, QString *error)
{
    const QByteArray name = path.isEmpty() ? QByteArray(":memory:") : path.toUtf8();
    if (sqlite3_open_v2(name.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_close(m_db);
        m_db = nullptr;
        return false;
    }
    return execScript("PRAGMA foreign_keys=ON;" + SimSchema::createStatements(), error);
}

bool SimDatabase::execScript(const QByteArray &sql, QString *error)
{
    char *message = nullptr;
    if (sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(message);
        sqlite3_free(message);
        return false;
    }
    return true;
}

int SimDatabase::exec(const QByteArray &sql, std::initializer_list<QVariant> args, QString *error)
{
    return exec(sql, QVector<QVariant>(args), error);
}

int SimDatabase::exec(const QByteArray &sql, const QVector<QVariant> &args, QString *error)
{
    SqlStatement st(m_db, sql);
    if (!st.isValid()) {
        if (error)
            *error = st.error();
        return -1;
    }
    st.bind(args);
    if (st.step() != SQLITE_DONE) {
        if (error)
            *error = st.error();
        return -1;
    }
    return sqlite3_changes(m_db);
}

std::optional<QByteArray> SimDatabase::value(const QByteArray &sql, std::initializer_list<QVariant> args)
{
    SqlStatement st(m_db, sql);
    if (!st.isValid())
        return std::nullopt;
    st.bind(args);
    if (st.step() != SQLITE_ROW)
        return std::nullopt;
    return st.text(0);
}

qint64 SimDatabase::count(const QByteArray &table)
{
    return value("select count(*) from \"" + table + "\"", {}).value_or("0").toLongLong();
}

JsonRows::Result SimDatabase::readOnlyQuery(const QByteArray &sql, const JsonRows::Limits &limits)
{
    JsonRows::Result r;
    sqlite3_set_authorizer(m_db, readOnlyAuthorizer, nullptr);
    SqlStatement st(m_db, sql);
    sqlite3_set_authorizer(m_db, nullptr, nullptr);
    if (!st.isValid()) {
        r.error = st.error().toUtf8();
        if (r.error == "not authorized")
            r.error = "only read-only queries are allowed (not authorized)";
        return r;
    }
    if (st.hasTrailingStatement()) {
        r.error = "only one statement is allowed";
        return r;
    }
    if (!sqlite3_stmt_readonly(st.handle()) || sqlite3_column_count(st.handle()) == 0) {
        r.error = "only read-only queries are allowed";
        return r;
    }
    return JsonRows::write(st.handle(), limits);
}

QByteArray SimDatabase::rowsWhere(const TableRegistry::Table &table, const QVariant &key)
{
    SqlStatement st(m_db, "select * from \"" + table.name + "\" where \"" + table.keyColumn + "\" = ?");
    if (!st.isValid())
        return "[]";
    st.bind({key});
    JsonRows::Result r = JsonRows::write(st.handle(), {});
    return r.ok ? r.joined() : QByteArray("[]");
}

bool SimDatabase::removeRecord(const TableRegistry::Table &table, const QVariant &key, QString *error)
{
    if (!execScript("BEGIN", error))
        return false;
    QVector<const TableRegistry::Table *> from{&table};
    if (table.kind == TableRegistry::Kind::Terminal)
        from += TableRegistry::ofKind(TableRegistry::Kind::Book);
    bool ok = true;
    for (const TableRegistry::Table *t : qAsConst(from))
        ok = ok && exec("delete from \"" + t->name + "\" where \"" + t->keyColumn + "\" = ?", {key}, error) >= 0;
    execScript(ok ? "COMMIT" : "ROLLBACK", nullptr);
    return ok;
}

std::optional<SimDatabase::Terminal> SimDatabase::findTerminal(qint64 id)
{
    for (const TableRegistry::Table *t : TableRegistry::ofKind(TableRegistry::Kind::Terminal)) {
        SqlStatement st(m_db, "select type, status, name from \"" + t->name + "\" where \"" + t->keyColumn + "\" = ?");
        st.bind({id});
        if (st.step() == SQLITE_ROW)
            return Terminal{t, st.text(0), int(st.integer(1)), st.text(2)};
    }
    return std::nullopt;
}
