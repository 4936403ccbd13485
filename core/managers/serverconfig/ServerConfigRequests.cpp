#include "managers/serverconfig/ServerConfigRequests.h"

#include "managers/common/CentreRequest.h"

int centreConfigQuery(OvManageCenter *centre, int code)
{
    return centreRequest<OvServerConfigManage>(centre, OvManageCenter::ServerConfigSlot, code,
                                               [code](OvServerConfigManage &m, int cseq) { return m.buildQuery(cseq, code); });
}

int centreConfigChange(OvManageCenter *centre, const ConfigRequest &request)
{
    return centreRequest<OvServerConfigManage>(
        centre, OvManageCenter::ServerConfigSlot, request.code,
        [&request](OvServerConfigManage &m, int cseq) { return m.buildChange(cseq, request); });
}

int centreSetConfigCallback(OvManageCenter *centre, OvServerConfigManage::ResultCallback callback)
{
    auto *manager = centreManager<OvServerConfigManage>(centre, OvManageCenter::ServerConfigSlot);
    if (!manager)
        return kMissingManager;
    manager->setResultCallback(std::move(callback));
    return 0;
}
