#include "managers/m37/M37Requests.h"

#include "managers/common/CentreRequest.h"
#include "managers/m37/OvM37Manage.h"

int centreSetM37Callback(OvManageCenter *centre, TermEventCallback<OvM37> callback)
{
    auto *manager = centreManager<OvM37Manage>(centre, OvManageCenter::M37Slot);
    if (!manager)
        return kMissingManager;
    manager->setEventCallback(std::move(callback));
    return 0;
}

int centreM37List(OvManageCenter *centre)
{
    return centreRequest<OvM37Manage>(centre, OvManageCenter::M37Slot, OvM37Manage::ListCode,
                                      [](OvM37Manage &m, int cseq) { return m.buildList(cseq); });
}
