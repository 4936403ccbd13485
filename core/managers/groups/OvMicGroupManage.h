#pragma once

#include "managers/common/EditRule.h"
#include "managers/common/OvTermBaseManage.h"
#include "managers/common/TermEventSink.h"
#include "managers/groups/MicGroup.h"
#include "protocol/OvBaseMgr.h"

#include <vector>

// The data manager of the microphone groups (dispatch slot 14), family key
// "MicGroup". Events: the list (222, also an empty one), a removed group
// (224, a record carrying the id), one changed group per pushed row (225).
class OvMicGroupManage final : public OvTermBaseManage, public OvBaseMgr
{
public:
    enum Code : int { ListCode = 222, DeletedEvent = 224, EditCode = 225 };

    static constexpr const char *kListName = "MicGroupList";
    static constexpr const char *kListSql = "select * from callservergroup";
    static constexpr const char *kChangeKey = "SqlConfig_callservergroup";
    static constexpr const char *kFamilyKey = "MicGroup";

    OvMicGroupManage();

    void setEventCallback(TermEventCallback<MicGroup> callback) { m_events.set(std::move(callback)); }

    QByteArray buildList(int cseq);
    // CallService: "Action", "CallWaitRule", "Id", "Mic35Id", "Name", "RingTime".
    QByteArray buildEdit(int cseq, const MicGroup &group, EditAction action);

    void onOk(int requestCode, const QByteArray &body) override;
    bool onNotify(const QByteArray &key, const QByteArray &body) override;
    bool onBody(const QByteArray &) override { return false; }
    void onDeleted(int id) override;

    // False (out untouched) when the body is not a row list.
    static bool parseRows(const QByteArray &body, std::vector<MicGroup> &out);

private:
    TermEventSink<MicGroup> m_events;
};
