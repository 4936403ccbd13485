#pragma once

#include "logs/OvLogRow.h"

#include <QObject>
#include <QString>

#include <mutex>
#include <vector>

class OvManageCenter;
struct LogQueryResult;

// The latest page of each log read over DBP, for the log pages. One per
// process; creating it registers its result function with the log manager
// of the centre. The result function runs on the receive thread; the
// signals reach the pages queued.
class OvServiceLogMgr : public QObject
{
    Q_OBJECT
public:
    static OvServiceLogMgr *instance();
    // A manager on a given centre (tests); null: every query answers -1.
    explicit OvServiceLogMgr(OvManageCenter *centre, QObject *parent = nullptr);

    // The log query of the centre, repeated every 10 ms while busy.
    int query(int kind, int offset);
    // Asks the server for its talk-log server: fills host, returns the port
    // (0 when the lookup failed or no log server is configured).
    int requestLogServer(QString *host);

    std::vector<OvLogRow> userLogs() const;
    std::vector<OvLogRow> talkLogs() const;
    std::vector<OvLogRow> termLogs() const;
    std::vector<OvLogRow> talkRecords() const;
    bool findTalkRecord(int id, OvLogRow &out) const;

signals:
    void gotUserLogList();
    void gotUserLogSize(int size);
    void gotTalkLogList();
    void gotTalkLogSize(int size);
    void gotTermLogList();
    void gotTermLogSize(int size);
    void gotTalkRecordList();
    void gotTalkRecordSize(int size);
    // An answer of this query kind could not be read; lists and counts are
    // kept as they were.
    void logQueryFailed(int kind);

private:
    void onResult(LogQueryResult &result);

    OvManageCenter *m_centre;
    mutable std::mutex m_lock;
    std::vector<OvLogRow> m_lists[4];
};
