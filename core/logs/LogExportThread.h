#pragma once

#include "logs/LogDbAccount.h"
#include "logs/LogQueries.h"

#include <QStringList>
#include <QThread>

#include <atomic>

// Writes one whole log into a CSV file on its own thread, through its own
// connection to the log database. The rows are read in one ordered pass
// (pages of 100 older than the last id written) inside one consistent
// snapshot, so exactly the rows that existed when the export began are
// written, once each, however the log grows meanwhile. The file is written
// beside the target and replaces it only when complete: a failed or
// cancelled export leaves an earlier file untouched.
class LogExportThread : public QThread
{
    Q_OBJECT
public:
    enum Finish : int { Done = 1, Empty = 0, FileFailed = -1, DatabaseFailed = -2, Cancelled = -3 };

    LogExportThread(const QString &target, const QStringList &header, int kind, const LogDbAccount &account,
                    QObject *parent = nullptr);

    // Stops before the next page; the export then finishes Cancelled.
    void cancel() { m_cancel.store(true); }

    // Valid after finish_signal.
    long rowsWritten() const { return m_rows; }
    long replacedChars() const { return m_replaced; }

signals:
    // Percentage of the rows written so far.
    void update_signal(long num);
    void finish_signal(int value);

protected:
    void run() override;

private:
    int exportAll();

    QString m_target;
    QStringList m_header;
    logdb::Table m_table;
    LogDbAccount m_account;
    std::atomic<bool> m_cancel{false};
    long m_rows = 0;
    long m_replaced = 0;
};
