#include "managers/regions/RegionRequests.h"

#include "managers/common/CentreRequest.h"
#include "managers/regions/OvRegionManage.h"

int centreSetRegionCallback(OvManageCenter *centre, TermEventCallback<OvRegion> callback)
{
    auto *manager = centreManager<OvRegionManage>(centre, OvManageCenter::RegionSlot);
    if (!manager)
        return kMissingManager;
    manager->setEventCallback(std::move(callback));
    return 0;
}

int centreRegionList(OvManageCenter *centre)
{
    return centreRequest<OvRegionManage>(centre, OvManageCenter::RegionSlot, OvRegionManage::ListCode,
                                         [](OvRegionManage &m, int cseq) { return m.buildList(cseq); });
}

int centreRegionEdit(OvManageCenter *centre, const OvRegion &region, EditAction action)
{
    return centreRequest<OvRegionManage>(
        centre, OvManageCenter::RegionSlot, OvRegionManage::EditCode,
        [&](OvRegionManage &m, int cseq) { return m.buildEdit(cseq, region, action); });
}
