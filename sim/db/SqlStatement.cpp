#include "db/SqlStatement.h"

#include <sqlite3.h>

SqlStatement::SqlStatement(sqlite3 *db, const QByteArray &sql)
    : m_db(db)
{
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &m_stmt, &tail) != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        return;
    }
    if (!m_stmt) {
        m_error = QStringLiteral("empty statement");
        return;
    }
    for (const char *p = tail; p && p < sql.constData() + sql.size() && *p; ++p) {
        if (*p != ';' && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') {
            m_trailing = true;
            break;
        }
    }
}

SqlStatement::~SqlStatement()
{
    sqlite3_finalize(m_stmt);
}

void SqlStatement::bind(std::initializer_list<QVariant> values)
{
    bind(QVector<QVariant>(values));
}

void SqlStatement::bind(const QVector<QVariant> &values)
{
    int i = 1;
    for (const QVariant &v : values) {
        switch (v.type()) {
        case QVariant::Int:
        case QVariant::LongLong:
        case QVariant::UInt:
        case QVariant::Bool:
            sqlite3_bind_int64(m_stmt, i, v.toLongLong());
            break;
        case QVariant::Invalid:
            sqlite3_bind_null(m_stmt, i);
            break;
        default: {
            const QByteArray t = v.toString().toUtf8();
            sqlite3_bind_text(m_stmt, i, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        }
        }
        ++i;
    }
}

int SqlStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
    return rc;
}

QByteArray SqlStatement::text(int column) const
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return p ? QByteArray(p, sqlite3_column_bytes(m_stmt, column)) : QByteArray("");
}

qint64 SqlStatement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}
