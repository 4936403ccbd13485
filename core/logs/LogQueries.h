#pragma once

#include "logs/OvLogRow.h"

#include <QByteArray>

#include <vector>

class OvMySqlConn;

// The queries of the log pages and the export on the log database. Pages
// hold 100 rows, newest (highest id) first. The talk log is read from
// talklog_bak here.
namespace logdb {

// Also the export kinds.
enum Table : int { User = 1, Talk = 2, Term = 3 };
constexpr int kPageRows = 100;

QByteArray countSql(Table table);
// The page at a row offset.
QByteArray pageSql(Table table, int offset, int rows = kPageRows);
// The page of the rows just older than beforeId: the next page, read from
// the neighbouring page's last id without skipping rows on the server.
QByteArray olderSql(Table table, int beforeId, int rows = kPageRows);
// The rows just newer than afterId, oldest first (the previous page, read
// backwards from its neighbour's first id).
QByteArray newerSql(Table table, int afterId, int rows = kPageRows);

// The number of rows, -1 when the statement failed.
int readCount(OvMySqlConn &conn, Table table);
// Runs a page statement and converts its rows (reversed for newerSql, so a
// page is always newest first); 0, or -1 when it failed (rows then empty).
int readRows(OvMySqlConn &conn, Table table, const QByteArray &sql, std::vector<OvLogRow> &rows,
             bool reversed = false);
int readPage(OvMySqlConn &conn, Table table, int offset, std::vector<OvLogRow> &rows);

} // namespace logdb
