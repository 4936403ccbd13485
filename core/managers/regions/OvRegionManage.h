#pragma once

#include "managers/common/EditRule.h"
#include "managers/common/OvTermBaseManage.h"
#include "managers/common/TermEventSink.h"
#include "managers/regions/OvRegion.h"
#include "protocol/OvBaseMgr.h"

#include <vector>

// The data manager of the broadcast regions (dispatch slot 4), family key
// "Region". Events: the list (140, also an empty one), one changed region
// per pushed row (142), a removed region (143, a record carrying the id).
class OvRegionManage final : public OvTermBaseManage, public OvBaseMgr
{
public:
    enum Code : int { ListCode = 140, EditCode = 142, DeletedEvent = 143 };

    static constexpr const char *kListName = "RegionList";
    static constexpr const char *kListSql = "select * from region";
    static constexpr const char *kChangeKey = "SqlConfig_region";
    static constexpr const char *kFamilyKey = "Region";

    OvRegionManage();

    void setEventCallback(TermEventCallback<OvRegion> callback) { m_events.set(std::move(callback)); }

    QByteArray buildList(int cseq);
    // BroadRegion: "Action", "Id", "Name", "TerminalId" (member ids, one blank apart).
    QByteArray buildEdit(int cseq, const OvRegion &region, EditAction action);

    void onOk(int requestCode, const QByteArray &body) override;
    bool onNotify(const QByteArray &key, const QByteArray &body) override;
    bool onBody(const QByteArray &) override { return false; }
    void onDeleted(int id) override;

    // False (out untouched) when the body is not a row list.
    static bool parseRows(const QByteArray &body, std::vector<OvRegion> &out);

private:
    TermEventSink<OvRegion> m_events;
};
