#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

typedef struct st_mysql MYSQL;
typedef struct st_mysql_res MYSQL_RES;

// The result of one statement on the log database: copies of the column
// names and the values (a SQL NULL stays null).
class OvMySqlResult
{
public:
    using Cell = std::optional<QByteArray>;

    // The cell, or null when there is no result set or row or column is out
    // of range, or the value is NULL.
    const Cell *get(int row, int column) const;
    QByteArray text(int row, int column) const;

    const std::vector<QByteArray> &columnNames() const { return m_columnNames; }
    const QString &error() const { return m_error; }
    int fieldCount() const { return m_fieldCount; }
    int rowCount() const { return m_rowCount; }
    int columnCount() const { return m_columnCount; }
    qint64 insertId() const { return m_insertId; }

    void clear();
    void setError(const QString &error) { m_error = error; }
    // Fills the table from the connection's stored result (null: none);
    // 0 on success, -1 on failure.
    int fill(MYSQL *handle, MYSQL_RES *stored);

private:
    std::vector<std::vector<Cell>> m_cells;
    std::vector<QByteArray> m_columnNames;
    QString m_error;
    int m_fieldCount = 0;
    int m_rowCount = 0;
    int m_columnCount = 0;
    qint64 m_insertId = 0;
};
