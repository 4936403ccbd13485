#pragma once

#include "managers/common/OvTermBaseManage.h"
#include "protocol/OvBaseMgr.h"

// The broadcast manager (dispatch slot 3). The console sends nothing on its
// behalf and keeps no broadcasts; its one effect is that a notification whose
// XML body is a "BroadcastList" ends the search here, whatever its routing
// key, so the managers after it never see it.
class OvBroadcastManage final : public OvTermBaseManage, public OvBaseMgr
{
public:
    OvBroadcastManage();

    void onOk(int, const QByteArray &) override {}
    // Through the default onNotify: true for a "BroadcastList" body.
    bool onBody(const QByteArray &text) override;
    void onDeleted(int) override {}
};
