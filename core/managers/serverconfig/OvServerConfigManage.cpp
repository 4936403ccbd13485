#include "managers/serverconfig/OvServerConfigManage.h"

#include "managers/common/RowFields.h"
#include "managers/common/RowSplitter.h"
#include "util/BodyParsers.h"

#include <mutex>

namespace {

QByteArray parameterName(int code)
{
    switch (code) {
    case OvServerConfigManage::SystemNameCode: return QByteArrayLiteral("System_Name");
    case OvServerConfigManage::RecordServerCode: return QByteArrayLiteral("Record_Server");
    case OvServerConfigManage::VadTimeoutCode: return QByteArrayLiteral("Vad_Ptt_Time_Out");
    case OvServerConfigManage::TalkLogServerCode: return QByteArrayLiteral("Talk_Log_Server");
    default: return QByteArray();
    }
}

// A refusal carries the server's reason as its body (text, or a JSON object
// with a reason member); anything unreadable gives the raw text trimmed.
QByteArray refusalReason(const QByteArray &body)
{
    Json::Value root;
    if (body::parseJson(body, root) && root.isObject()) {
        for (const char *key : {"Reason", "reason", "Error", "error", "Message"}) {
            const QByteArray text = body::memberText(root, key);
            if (!text.isEmpty())
                return text;
        }
    }
    return body.trimmed().left(512);
}

} // namespace

OvServerConfigManage::OvServerConfigManage() : OvBaseMgr({}) {}

void OvServerConfigManage::setResultCallback(ResultCallback callback)
{
    std::lock_guard<std::mutex> guard(m_callbackLock);
    m_callback = std::move(callback);
}

int OvServerConfigManage::deliver(const ConfigResult &result)
{
    ResultCallback callback;
    {
        std::lock_guard<std::mutex> guard(m_callbackLock);
        callback = m_callback;
    }
    return callback ? callback(result) : 0;
}

QByteArray OvServerConfigManage::buildQuery(int cseq, int code)
{
    if (code == ParameterListCode)
        return m_request.buildSqlConfig(cseq, "SystemParameter", "select * from parameter");
    if (code == LogServerQueryCode)
        return m_request.buildSqlConfig(cseq, "TbLogServer",
                                        "select value from parameter where name = 'Talk_Log_Server'");
    return QByteArray();
}

QByteArray OvServerConfigManage::buildChange(int cseq, const ConfigRequest &request)
{
    Json::Value object(Json::objectValue);
    QByteArray packetType;
    const QByteArray name = parameterName(request.code);
    if (!name.isEmpty()) {
        packetType = "SystemParameter";
        object["Action"] = rows::jsonText("Mod");
        object["Name"] = rows::jsonText(name);
        object["Value"] = rows::jsonText(request.text1);
    } else if (request.code == AdminPasswordCode) {
        packetType = "ModTalkManagerInfo";
        object["Action"] = rows::jsonText("Mod");
        object["Name"] = rows::jsonText("admin");
        object["PassWord"] = rows::jsonText(request.text1);
    } else if (request.code == BackupCode) {
        packetType = "DataBackup";
        object["BackupFile"] = rows::jsonText(request.text1);
        // Entered before the text leaves, so an answer however late finds it.
        m_backupCSeq.store(cseq);
    } else if (request.code == RecoveryCode) {
        packetType = "DataRecovery";
        object["Md5"] = rows::jsonText(request.text2);
        object["RecoveryFile"] = rows::jsonText(request.text1);
    } else {
        return QByteArray();
    }
    return m_request.buildPost(cseq, packetType, body::writeJson(object));
}

bool OvServerConfigManage::parseParameterRows(const QByteArray &body, std::vector<ServerParameter> &out)
{
    std::vector<ServerParameter> list;
    if (!rows::forEachRow(body, [&list](const Json::Value &row) { list.push_back(ServerParameter::fromRow(row)); }))
        return false;
    out = std::move(list);
    return true;
}

void OvServerConfigManage::onOk(int requestCode, const QByteArray &body)
{
    if (requestCode < kFirstCode || requestCode > kLastCode)
        return;
    ConfigResult result;
    result.code = requestCode;
    if (requestCode == ParameterListCode || requestCode == LogServerQueryCode) {
        if (parseParameterRows(body, result.parameters))
            deliver(result);
        return;
    }
    if (requestCode != BackupCode)
        return;
    m_backupCSeq.store(0);
    Json::Value root;
    if (!body::parseJson(body, root))
        return;
    result.record.name = body::memberText(root, "BackupFile");
    result.record.value = body::memberText(root, "Md5");
    result.record.kind = ServerParameter::BackupAnswer;
    deliver(result);
}

void OvServerConfigManage::onError(int requestCode, const QByteArray &body)
{
    if (requestCode < kFirstCode || requestCode > kLastCode)
        return;
    if (requestCode == BackupCode)
        m_backupCSeq.store(0);
    ConfigResult result;
    result.code = requestCode;
    result.ok = false;
    result.reason = refusalReason(body);
    deliver(result);
}

bool OvServerConfigManage::onLateAnswer(int cseq, bool ok, const QByteArray &body)
{
    int expected = cseq;
    if (cseq == 0 || !m_backupCSeq.compare_exchange_strong(expected, 0))
        return false;
    if (ok)
        onOk(BackupCode, body);
    else
        onError(BackupCode, body);
    return true;
}
