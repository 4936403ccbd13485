#include "logs/OvLogManage.h"

#include "protocol/OvCommandRequest.h"
#include "util/BodyParsers.h"

#include <json/json.h>


namespace {

QByteArray member(const Json::Value &row, const char *key)
{
    const Json::Value &v = row[key];
    if (v.isString())
        return QByteArray::fromStdString(v.asString());
    if (v.isIntegral() || v.isDouble())
        return QByteArray::fromStdString(v.asString());
    return QByteArray();
}

QString text(const Json::Value &row, const char *key)
{
    return QString::fromUtf8(member(row, key));
}

int number(const Json::Value &row, const char *key)
{
    return logrow::toInt(member(row, key));
}

} // namespace

OvLogManage::OvLogManage() : OvBaseMgr({127, 128, 129, 130, 131, 132, 133, 134}) {}

QByteArray OvLogManage::querySql(int kind, int offset)
{
    static const char *const kTexts[] = {
        "select count(*) from userlog;",
        "select * from userlog order by id DESC limit %d, 100 ",
        "select count(*) from talklog;",
        "select * from talklog order by id DESC limit %d, 100",
        "select count(*) from terminallog;",
        "select * from terminallog order by id DESC limit %d, 100",
        "select count(*) from talklog;",
        "select * from talklog order by id DESC limit %d, 100",
    };
    if (kind < 0 || kind > RecordPage)
        kind = UserPage;
    QByteArray sql(kTexts[kind]);
    const int at = sql.indexOf("%d");
    if (at >= 0)
        sql.replace(at, 2, QByteArray::number(offset));
    return sql;
}

QByteArray OvLogManage::query(int cseq, int kind, int offset)
{
    OvCommandRequest builder;
    return builder.buildTypeAndSubtype(cseq, "SqlLog", querySql(kind, offset));
}

QByteArray OvLogManage::logServerQuery(int cseq)
{
    OvCommandRequest builder;
    return builder.buildSqlConfig(cseq, "TbLogServer",
                                  "select value from parameter where name = 'Talk_Log_Server'");
}

void OvLogManage::setResultFunction(ResultFunction function)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_result = std::move(function);
}

void OvLogManage::logServer(QString *host, int *port) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (host)
        *host = m_logHost;
    if (port)
        *port = m_logPort;
}

bool OvLogManage::parseRows(int code, const QByteArray &body, std::vector<OvLogRow> &out)
{
    Json::Value root;
    if (!body::parseJson(body, root) || !root.isArray())
        return false;
    std::vector<OvLogRow> rows;
    rows.reserve(root.size());
    for (const Json::Value &r : root) {
        if (!r.isObject())
            return false;
        OvLogRow row;
        row.id = number(r, "id");
        if (code == kFirstCode + UserPage) {
            row.date = text(r, "date");
            row.content = text(r, "content");
            row.ip = text(r, "ip");
            row.name = text(r, "name");
        } else if (code == kFirstCode + TermPage) {
            row.date = text(r, "date");
            row.terminalId = number(r, "terminalId");
            row.name = text(r, "name");
            row.type = text(r, "type");
            row.ip = text(r, "ip");
            row.content = text(r, "action");
        } else {
            row.date = text(r, "begin_time");
            row.endTime = text(r, "end_time");
            row.callerId = number(r, "callerId");
            row.calledId = number(r, "calledId");
            row.callerName = text(r, "callerName");
            row.calledName = text(r, "calledName");
            row.type = text(r, "type");
            row.content = text(r, "source_name");
            row.recordFile = text(r, "recordfile");
        }
        rows.push_back(std::move(row));
    }
    out = std::move(rows);
    return true;
}

bool OvLogManage::parseCount(const QByteArray &body, int *count)
{
    Json::Value root;
    if (!body::parseJson(body, root) || !root.isArray() || root.empty() || !root[0].isObject())
        return false;
    const QByteArray value = member(root[0], "count(*)").trimmed();
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || n < 0)
        return false;
    *count = n;
    return true;
}

void OvLogManage::splitServer(const QByteArray &value, QString *host, int *port)
{
    const int colon = value.lastIndexOf(':');
    *host = QString::fromUtf8(colon < 0 ? value : value.left(colon)).trimmed();
    *port = colon < 0 ? 0 : logrow::toInt(value.mid(colon + 1));
}

void OvLogManage::deliver(LogQueryResult &result)
{
    ResultFunction function;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        function = m_result;
    }
    if (function)
        function(result);
}

void OvLogManage::onOk(int requestCode, const QByteArray &body)
{
    if (requestCode == kLogServerCode) {
        Json::Value root;
        if (!body::parseJson(body, root) || !root.isArray())
            return;
        QString host;
        int port = 0;
        if (!root.empty() && root[0].isObject())
            splitServer(member(root[0], "value"), &host, &port);
        std::lock_guard<std::mutex> guard(m_lock);
        m_logHost = host;
        m_logPort = port;
        return;
    }
    if (requestCode < kFirstCode || requestCode > kLastCode)
        return;
    LogQueryResult result;
    result.kind = requestCode - kFirstCode;
    // A page answer with no rows is an empty page, and one that cannot be
    // read is reported as such: neither may pass for "nothing changed".
    if (result.kind % 2 == 1)
        result.readable = parseRows(requestCode, body, result.rows);
    else
        result.readable = parseCount(body, &result.count);
    deliver(result);
}
