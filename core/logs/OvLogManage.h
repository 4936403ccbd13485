#pragma once

#include "logs/OvLogRow.h"
#include "protocol/OvBaseMgr.h"

#include <QByteArray>

#include <functional>
#include <mutex>
#include <vector>

// What a DBP log answer brought: a page of rows or a count for one query
// kind, or that the answer could not be read.
struct LogQueryResult
{
    int kind = 0;
    bool readable = false;
    int count = 0;
    std::vector<OvLogRow> rows;
};

// The data manager of the service logs (dispatch slot 7, family
// "ServiceLogList"): builds the "SqlLog" requests and reads their answers on
// the receive thread. It also reads the answer to the talk-log server lookup
// (code 178) that the log pages send.
class OvLogManage final : public OvBaseMgr
{
public:
    // Query kinds; the request code is kFirstCode + kind.
    enum Kind : int {
        UserCount = 0, UserPage = 1, TalkCount = 2, TalkPage = 3,
        TermCount = 4, TermPage = 5, RecordCount = 6, RecordPage = 7,
    };
    static constexpr int kFirstCode = 127;
    static constexpr int kLastCode = 134;
    static constexpr int kLogServerCode = 178;
    static constexpr const char *kFamilyName = "ServiceLogList";

    using ResultFunction = std::function<void(LogQueryResult &result)>;

    OvLogManage();

    // The SQL text of a kind; a kind outside 0..7 is kind 1.
    static QByteArray querySql(int kind, int offset);
    // The whole "SqlLog" request.
    QByteArray query(int cseq, int kind, int offset);
    // The talk-log server lookup (request code 178).
    QByteArray logServerQuery(int cseq);

    void setResultFunction(ResultFunction function);
    // Address and port of the last log-server answer ("" / 0 at first).
    void logServer(QString *host, int *port) const;

    void onOk(int requestCode, const QByteArray &body) override;
    bool onBody(const QByteArray &) override { return false; }
    void onDeleted(int) override {}

    // Parsing of the answers; false when the body is not a readable array.
    static bool parseRows(int code, const QByteArray &body, std::vector<OvLogRow> &out);
    static bool parseCount(const QByteArray &body, int *count);
    // "address:port" of the parameter's value; port 0 when there is none.
    static void splitServer(const QByteArray &value, QString *host, int *port);

private:
    void deliver(LogQueryResult &result);

    mutable std::mutex m_lock;
    ResultFunction m_result;
    QString m_logHost;
    int m_logPort = 0;
};
