#pragma once

#include "managers/common/OvTermBaseManage.h"
#include "managers/common/TermEventSink.h"
#include "managers/m37/OvM37.h"
#include "protocol/OvBaseMgr.h"

#include <vector>

// The data manager of the M37 mobile devices (dispatch slot 16). Events: the
// list (278, sorted by descending id), one changed device per record (279)
// and, for a DELETE message of type "M37", the removed device (RemovedEvent).
class OvM37Manage final : public OvTermBaseManage, public OvBaseMgr
{
public:
    enum Code : int { ListCode = 278, ChangeEvent = 279 };

    static constexpr const char *kListName = "M37List";
    static constexpr const char *kListSql = "select terminalId,type,status,work,name,ip,ver from m37";
    static constexpr const char *kChangeKey = "SqlConfig_m37";

    OvM37Manage();

    void setEventCallback(TermEventCallback<OvM37> callback) { m_events.set(std::move(callback)); }

    QByteArray buildList(int cseq);

    void onOk(int requestCode, const QByteArray &body) override;
    bool onNotify(const QByteArray &key, const QByteArray &body) override;
    bool onBody(const QByteArray &) override { return false; }
    void onDeleted(int id) override;

    // Rows sorted by descending id; false (out untouched) when not a row list.
    static bool parseRows(const QByteArray &body, std::vector<OvM37> &out);

private:
    TermEventSink<OvM37> m_events;
};
