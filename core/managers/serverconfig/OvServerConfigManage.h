#pragma once

#include "managers/serverconfig/ServerParameter.h"
#include "protocol/OvBaseMgr.h"
#include "protocol/OvCommandRequest.h"

#include <QByteArray>

#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

// What a caller hands to the centre for one request: the request code and
// the request's values.
struct ConfigRequest
{
    int code = 0;
    QByteArray text1;
    QByteArray text2;
};

// One answer of the family, as the result callback receives it.
struct ConfigResult
{
    int code = 0;
    bool ok = true;
    std::vector<ServerParameter> parameters; // 174, 178
    ServerParameter record;                  // 181
    QByteArray reason;                       // a refusal's text
};

// The data manager of the system parameters (dispatch slot 8): it builds
// the parameter queries, the parameter changes, the administrator's password
// change and the backup and restore requests, and reads their answers. The
// server pushes no parameter changes, so it claims no notification.
class OvServerConfigManage final : public OvBaseMgr
{
public:
    enum Code : int {
        SystemNameCode = 173,
        ParameterListCode = 174,
        RecordServerCode = 176,
        VadTimeoutCode = 177,
        LogServerQueryCode = 178,
        TalkLogServerCode = 179,
        AdminPasswordCode = 180,
        BackupCode = 181,
        RecoveryCode = 182,
    };
    static constexpr int kFirstCode = 162;
    static constexpr int kLastCode = 186;

    using ResultCallback = std::function<int(const ConfigResult &result)>;

    OvServerConfigManage();

    // Set on the GUI thread, called on the receive thread.
    void setResultCallback(ResultCallback callback);

    // 174 and 178; empty for any other code.
    QByteArray buildQuery(int cseq, int code);
    // 173, 176, 177, 179, 180, 181, 182; empty for any other code.
    QByteArray buildChange(int cseq, const ConfigRequest &request);

    void onOk(int requestCode, const QByteArray &body) override;
    void onError(int requestCode, const QByteArray &body) override;
    bool onBody(const QByteArray &) override { return false; }
    void onDelete(const QByteArray &, int) override {}
    void onDeleted(int) override {}
    bool onLateAnswer(int cseq, bool ok, const QByteArray &body) override;

    // Writing a large backup takes the server longer than a request waits:
    // the answer to the last DataBackup is taken also when it comes after
    // its request has timed out, until the caller stops waiting for it.
    void forgetBackupAnswer() { m_backupCSeq.store(0); }
    bool awaitingBackupAnswer() const { return m_backupCSeq.load() != 0; }

    static bool parseParameterRows(const QByteArray &body, std::vector<ServerParameter> &out);

private:
    int deliver(const ConfigResult &result);

    OvCommandRequest m_request;
    std::mutex m_callbackLock;
    ResultCallback m_callback;
    std::atomic<int> m_backupCSeq{0};
};
