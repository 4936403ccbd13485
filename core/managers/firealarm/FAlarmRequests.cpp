#include "managers/firealarm/FAlarmRequests.h"

#include "managers/common/CentreRequest.h"
#include "managers/firealarm/OvFAlarmManage.h"

namespace {

template <typename Build>
int fAlarmRequest(OvManageCenter *centre, int requestCode, Build build)
{
    return centreRequest<OvFAlarmManage>(centre, OvManageCenter::FAlarmSlot, requestCode, build);
}

} // namespace

int centreSetFAlarmCallback(OvManageCenter *centre, TermEventCallback<OvFAlarm> callback)
{
    auto *manager = centreManager<OvFAlarmManage>(centre, OvManageCenter::FAlarmSlot);
    if (!manager)
        return kMissingManager;
    manager->setEventCallback(std::move(callback));
    return 0;
}

int centreFAlarmList(OvManageCenter *centre)
{
    return fAlarmRequest(centre, OvFAlarmManage::ListCode,
                         [](OvFAlarmManage &m, int cseq) { return m.buildList(cseq); });
}

int centreFAlarmSetName(OvManageCenter *centre, const OvFAlarm &alarm)
{
    return fAlarmRequest(centre, OvFAlarmManage::SetNameCode,
                         [&alarm](OvFAlarmManage &m, int cseq) { return m.buildSetName(cseq, alarm); });
}

int centreFAlarmSetTrigger(OvManageCenter *centre, const FAlarmTrigger &trigger)
{
    return fAlarmRequest(centre, OvFAlarmManage::SetTriggerCode,
                         [&trigger](OvFAlarmManage &m, int cseq) { return m.buildSetTrigger(cseq, trigger); });
}
