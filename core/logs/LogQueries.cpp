#include "logs/LogQueries.h"

#include "logs/OvMySqlConn.h"
#include "logs/OvMySqlResult.h"

#include <algorithm>

namespace logdb {

namespace {

const char *columns(Table table)
{
    switch (table) {
    case Talk:
        return "select id,begin_time,end_time,callerId,calledId,callerName,calledName,type,source_name,recordfile "
               "from talklog_bak";
    case Term:
        return "select id,date,terminalId,name,type,ip,action from terminallog";
    case User:
        break;
    }
    return "select * from userlog";
}

// The pattern with its two "%d" filled in.
QByteArray format(const char *pattern, int a, int b)
{
    QByteArray sql(pattern);
    for (const int value : {a, b}) {
        const int at = sql.indexOf("%d");
        if (at >= 0)
            sql.replace(at, 2, QByteArray::number(value));
    }
    return sql;
}

QString text(const OvMySqlResult &r, int row, int col)
{
    return QString::fromUtf8(r.text(row, col));
}

int number(const OvMySqlResult &r, int row, int col)
{
    return logrow::toInt(r.text(row, col));
}

// A NULL in these columns reads as "0" rather than as an empty text.
QString textOrZero(const OvMySqlResult &r, int row, int col)
{
    return r.get(row, col) ? text(r, row, col) : QStringLiteral("0");
}

OvLogRow rowAt(Table table, const OvMySqlResult &r, int i)
{
    OvLogRow row;
    row.id = number(r, i, 0);
    switch (table) {
    case Talk:
        row.date = text(r, i, 1);
        row.endTime = text(r, i, 2);
        row.callerId = number(r, i, 3);
        row.calledId = logrow::toInt(textOrZero(r, i, 4).toUtf8());
        row.callerName = text(r, i, 5);
        row.calledName = text(r, i, 6);
        row.type = text(r, i, 7);
        row.content = text(r, i, 8);
        row.recordFile = text(r, i, 9);
        break;
    case Term:
        row.date = text(r, i, 1);
        row.terminalId = number(r, i, 2);
        row.name = text(r, i, 3);
        row.type = textOrZero(r, i, 4);
        row.ip = text(r, i, 5);
        row.content = text(r, i, 6);
        break;
    case User:
        row.name = text(r, i, 1);
        row.ip = text(r, i, 2);
        row.date = text(r, i, 3);
        row.content = text(r, i, 4);
        break;
    }
    return row;
}

} // namespace

QByteArray countSql(Table table)
{
    switch (table) {
    case Talk:
        return "select count(*) from talklog_bak;";
    case Term:
        return "select count(*) from terminallog;";
    case User:
        break;
    }
    return "select count(*) from userlog;";
}

QByteArray pageSql(Table table, int offset, int rows)
{
    if (table == User)
        return format("select * from userlog order by id desc limit %d, %d", offset, rows);
    return QByteArray(columns(table)) + format(" order by id desc limit %d, %d;", offset, rows);
}

QByteArray olderSql(Table table, int beforeId, int rows)
{
    return QByteArray(columns(table)) + format(" where id < %d order by id desc limit %d;", beforeId, rows);
}

QByteArray newerSql(Table table, int afterId, int rows)
{
    return QByteArray(columns(table)) + format(" where id > %d order by id asc limit %d;", afterId, rows);
}

int readCount(OvMySqlConn &conn, Table table)
{
    if (!conn.ensureConnected())
        return -1;
    OvMySqlResult result;
    if (conn.execute(countSql(table), result) < 0 || result.rowCount() < 1)
        return -1;
    return logrow::toInt(result.text(0, 0));
}

int readRows(OvMySqlConn &conn, Table table, const QByteArray &sql, std::vector<OvLogRow> &rows, bool reversed)
{
    rows.clear();
    if (!conn.ensureConnected())
        return -1;
    OvMySqlResult result;
    if (conn.execute(sql, result) < 0)
        return -1;
    rows.reserve(static_cast<size_t>(result.rowCount()));
    for (int i = 0; i < result.rowCount(); ++i)
        rows.push_back(rowAt(table, result, i));
    if (reversed)
        std::reverse(rows.begin(), rows.end());
    return 0;
}

int readPage(OvMySqlConn &conn, Table table, int offset, std::vector<OvLogRow> &rows)
{
    return readRows(conn, table, pageSql(table, offset), rows);
}

} // namespace logdb
