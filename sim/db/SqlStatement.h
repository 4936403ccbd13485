#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVector>

#include <initializer_list>

struct sqlite3;
struct sqlite3_stmt;

// One prepared SQLite statement, finalized with its owner.
class SqlStatement
{
public:
    SqlStatement(sqlite3 *db, const QByteArray &sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement &) = delete;
    SqlStatement &operator=(const SqlStatement &) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    QString error() const { return m_error; }
    sqlite3_stmt *handle() const { return m_stmt; }
    // Text after the first statement that is more than blanks and semicolons.
    bool hasTrailingStatement() const { return m_trailing; }

    void bind(std::initializer_list<QVariant> values);
    void bind(const QVector<QVariant> &values);
    // SQLITE_ROW, SQLITE_DONE or an error code (error() then holds the text).
    int step();
    QByteArray text(int column) const;
    qint64 integer(int column) const;

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
    bool m_trailing = false;
    QString m_error;
};
