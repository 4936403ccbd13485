#include "managers/groups/MicGroupRequests.h"

#include "managers/common/CentreRequest.h"
#include "managers/groups/OvMicGroupManage.h"

int centreSetMicGroupCallback(OvManageCenter *centre, TermEventCallback<MicGroup> callback)
{
    auto *manager = centreManager<OvMicGroupManage>(centre, OvManageCenter::MicGroupSlot);
    if (!manager)
        return kMissingManager;
    manager->setEventCallback(std::move(callback));
    return 0;
}

int centreMicGroupList(OvManageCenter *centre)
{
    return centreRequest<OvMicGroupManage>(centre, OvManageCenter::MicGroupSlot, OvMicGroupManage::ListCode,
                                           [](OvMicGroupManage &m, int cseq) { return m.buildList(cseq); });
}

int centreMicGroupEdit(OvManageCenter *centre, const MicGroup &group, EditAction action)
{
    return centreRequest<OvMicGroupManage>(
        centre, OvManageCenter::MicGroupSlot, OvMicGroupManage::EditCode,
        [&](OvMicGroupManage &m, int cseq) { return m.buildEdit(cseq, group, action); });
}
