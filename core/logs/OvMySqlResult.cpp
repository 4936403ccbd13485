#include "logs/OvMySqlResult.h"

#include <mysql.h>

#include <cstdio>

const OvMySqlResult::Cell *OvMySqlResult::get(int row, int column) const
{
    if (row < 0 || column < 0 || row >= static_cast<int>(m_cells.size()))
        return nullptr;
    const auto &r = m_cells[static_cast<size_t>(row)];
    if (column >= static_cast<int>(r.size()) || !r[static_cast<size_t>(column)])
        return nullptr;
    return &r[static_cast<size_t>(column)];
}

QByteArray OvMySqlResult::text(int row, int column) const
{
    const Cell *cell = get(row, column);
    return cell ? **cell : QByteArray();
}

void OvMySqlResult::clear()
{
    m_cells.clear();
    m_columnNames.clear();
    m_error.clear();
    m_fieldCount = m_rowCount = m_columnCount = 0;
    m_insertId = 0;
}

int OvMySqlResult::fill(MYSQL *handle, MYSQL_RES *stored)
{
    clear();
    m_fieldCount = static_cast<int>(mysql_field_count(handle));
    if (!stored) {
        if (m_fieldCount != 0) {
            m_error = QString::fromUtf8(mysql_error(handle));
            std::printf("store result. error string:%s\n", mysql_error(handle));
            return -1;
        }
        m_rowCount = static_cast<int>(mysql_affected_rows(handle));
        if (const my_ulonglong id = mysql_insert_id(handle))
            m_insertId = static_cast<qint64>(id);
        return 0;
    }
    m_columnCount = static_cast<int>(mysql_num_fields(stored));
    const MYSQL_FIELD *fields = mysql_fetch_fields(stored);
    for (int c = 0; c < m_columnCount; ++c)
        m_columnNames.emplace_back(fields[c].name, static_cast<int>(fields[c].name_length));
    m_cells.reserve(static_cast<size_t>(mysql_num_rows(stored)));
    while (MYSQL_ROW row = mysql_fetch_row(stored)) {
        const unsigned long *lengths = mysql_fetch_lengths(stored);
        std::vector<Cell> cells;
        cells.reserve(static_cast<size_t>(m_columnCount));
        for (int c = 0; c < m_columnCount; ++c) {
            if (row[c])
                cells.emplace_back(QByteArray(row[c], static_cast<int>(lengths[c])));
            else
                cells.emplace_back(std::nullopt);
        }
        m_cells.push_back(std::move(cells));
    }
    m_rowCount = static_cast<int>(m_cells.size());
    return 0;
}
