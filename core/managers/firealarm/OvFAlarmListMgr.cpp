#include "managers/firealarm/OvFAlarmListMgr.h"

#include "managers/common/BusyRetry.h"
#include "managers/common/DeviceCentre.h"
#include "managers/firealarm/FAlarmRequests.h"
#include "managers/firealarm/OvFAlarmManage.h"
#include "managers/common/RemoveDevice.h"

#include <QMetaObject>

#include <chrono>
#include <thread>

OvFAlarmListMgr &OvFAlarmListMgr::instance()
{
    static OvFAlarmListMgr *const manager = new OvFAlarmListMgr(deviceCentre());
    return *manager;
}

OvFAlarmListMgr::OvFAlarmListMgr(OvManageCenter *centre, QObject *parent) : QObject(parent), m_centre(centre)
{
    m_cache.replaceAll({});
}

OvFAlarmListMgr::~OvFAlarmListMgr()
{
    centreSetFAlarmCallback(m_centre, nullptr);
}

int OvFAlarmListMgr::fetchList()
{
    centreSetFAlarmCallback(m_centre, [this](TermEvent<OvFAlarm> &event) { return handleEvent(event); });
    return retryWhileBusy([this] { return centreFAlarmList(m_centre); }, kListPauseMs);
}

int OvFAlarmListMgr::setName(const OvFAlarm &alarm)
{
    const int result = retryWhileBusy([&] { return centreFAlarmSetName(m_centre, alarm); }, kEditPauseMs);
    if (result == 0)
        replaceEntry(alarm);
    return result;
}

int OvFAlarmListMgr::setTrigger(const FAlarmTrigger &trigger)
{
    const int result = centreFAlarmSetTrigger(m_centre, trigger);
    std::this_thread::sleep_for(std::chrono::milliseconds(kEditPauseMs));
    return result;
}

int OvFAlarmListMgr::removeDevice(const OvFAlarm &alarm)
{
    const int result =
        retryWhileBusy([&] { return centreRemoveDevice(m_centre, alarm.id, alarm.type); }, kEditPauseMs);
    if (result == 0)
        m_cache.remove(alarm.id);
    return result;
}

bool OvFAlarmListMgr::copyById(int id, OvFAlarm &out) const
{
    const std::optional<OvFAlarm> found = m_cache.findCopy(id);
    if (!found)
        return false;
    out = *found;
    return true;
}

void OvFAlarmListMgr::replaceEntry(const OvFAlarm &alarm)
{
    m_cache.applyChange(alarm);
    const int id = alarm.id;
    QMetaObject::invokeMethod(this, [this, id] { emit fAlarmChanged(id); }, Qt::QueuedConnection);
}

int OvFAlarmListMgr::handleEvent(TermEvent<OvFAlarm> &event)
{
    switch (event.code) {
    case OvFAlarmManage::ListCode:
        m_cache.replaceAll(std::move(event.records));
        QMetaObject::invokeMethod(this, [this] { emit gotFAlarmList(); }, Qt::QueuedConnection);
        return 0;
    case OvFAlarmManage::ChangeEvent:
        for (const OvFAlarm &f : event.records)
            replaceEntry(f);
        return 0;
    case RemovedEvent:
        for (const OvFAlarm &f : event.records) {
            if (!m_cache.remove(f.id))
                continue;
            const int id = f.id;
            // The page's delete signal carries this name for every device family it shows.
            QMetaObject::invokeMethod(this, [this, id] { emit m37Deleted(id); }, Qt::QueuedConnection);
        }
        return 0;
    default:
        return -1;
    }
}
