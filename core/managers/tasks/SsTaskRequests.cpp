#include "managers/tasks/SsTaskRequests.h"

#include "managers/common/CentreRequest.h"
#include "managers/tasks/OvSsTaskManage.h"

int centreSetSsTaskCallback(OvManageCenter *centre, TermEventCallback<SoundSourceTask> callback)
{
    auto *manager = centreManager<OvSsTaskManage>(centre, OvManageCenter::SsTaskSlot);
    if (!manager)
        return kMissingManager;
    manager->setEventCallback(std::move(callback));
    return 0;
}

int centreSsTaskList(OvManageCenter *centre)
{
    return centreRequest<OvSsTaskManage>(centre, OvManageCenter::SsTaskSlot, OvSsTaskManage::ListCode,
                                         [](OvSsTaskManage &m, int cseq) { return m.buildList(cseq); });
}

int centreSsTaskEdit(OvManageCenter *centre, const SoundSourceTask &task, int action)
{
    if (!OvSsTaskManage::actionName(action))
        return kMissingManager;
    return centreRequest<OvSsTaskManage>(
        centre, OvManageCenter::SsTaskSlot, OvSsTaskManage::codeOf(action),
        [&](OvSsTaskManage &m, int cseq) { return m.buildEdit(cseq, task, action); });
}
