#include "managers/capture/CaptureRequests.h"

#include "managers/common/CentreRequest.h"

int centreSetCapCallbacks(OvManageCenter *centre, OvCapManage::ListCallback list,
                          OvBaseMgr::DeleteCallback deleted, OvCapManage::ChangeCallback changed)
{
    auto *manager = centreManager<OvCapManage>(centre, OvManageCenter::CapSlot);
    if (!manager)
        return kMissingManager;
    manager->setCallbacks(std::move(list), std::move(deleted), std::move(changed));
    return 0;
}

int centreCapList(OvManageCenter *centre)
{
    return centreRequest<OvCapManage>(centre, OvManageCenter::CapSlot, OvCapManage::ListCode,
                                      [](OvCapManage &m, int cseq) { return m.buildList(cseq); });
}

int centreCapSettings(OvManageCenter *centre, const OvCap &cap)
{
    return centreRequest<OvCapManage>(centre, OvManageCenter::CapSlot, OvCapManage::SettingsCode,
                                      [&cap](OvCapManage &m, int cseq) { return m.buildSettings(cseq, cap); });
}
