#include "logs/LogExportThread.h"

#include "logs/LogCsv.h"
#include "logs/OvMySqlConn.h"
#include "logs/OvMySqlResult.h"

#include <QSaveFile>

#include <climits>

LogExportThread::LogExportThread(const QString &target, const QStringList &header, int kind,
                                 const LogDbAccount &account, QObject *parent)
    : QThread(parent), m_target(target), m_header(header),
      m_table(kind == logdb::Talk ? logdb::Talk : kind == logdb::Term ? logdb::Term : logdb::User),
      m_account(account)
{
}

void LogExportThread::run()
{
    if (m_target.isEmpty())
        return;
    emit finish_signal(exportAll());
}

int LogExportThread::exportAll()
{
    QSaveFile file(m_target);
    if (!file.open(QIODevice::WriteOnly))
        return FileFailed;

    OvMySqlConn conn;
    if (conn.connect(m_account) != 0)
        return DatabaseFailed;
    OvMySqlResult ignored;
    // One snapshot for the count and every page.
    if (conn.execute("START TRANSACTION WITH CONSISTENT SNAPSHOT, READ ONLY", ignored) < 0)
        return DatabaseFailed;
    const int count = logdb::readCount(conn, m_table);
    if (count < 0)
        return DatabaseFailed;
    if (count == 0)
        return Empty;

    LogCsv csv;
    if (file.write(csv.headerLine(m_header)) < 0)
        return FileFailed;
    int lastId = INT_MAX;
    long written = 0;
    long percent = 0;
    const long pages = (count + logdb::kPageRows - 1) / logdb::kPageRows;
    long pagesDone = 0;
    std::vector<OvLogRow> rows;
    QByteArray block;
    for (;;) {
        if (m_cancel.load())
            return Cancelled;
        if (logdb::readRows(conn, m_table, logdb::olderSql(m_table, lastId), rows) != 0)
            return DatabaseFailed;
        if (rows.empty())
            break;
        block.clear();
        for (const OvLogRow &row : rows)
            block += csv.rowLine(m_table, static_cast<int>(++written), row);
        if (file.write(block) != block.size())
            return FileFailed;
        lastId = rows.back().id;
        ++pagesDone;
        const long now = pagesDone >= pages ? 100 : pagesDone * 100 / pages;
        if (now != percent) {
            percent = now;
            emit update_signal(percent);
        }
    }
    if (percent != 100)
        emit update_signal(100);
    m_rows = written;
    m_replaced = csv.replaced();
    if (!file.commit())
        return FileFailed;
    return Done;
}
