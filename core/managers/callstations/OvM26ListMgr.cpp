#include "managers/callstations/OvM26ListMgr.h"

#include "managers/callstations/CallStationRequests.h"
#include "managers/callstations/OvM26Manage.h"
#include "managers/common/BusyRetry.h"
#include "managers/common/DeviceCentre.h"
#include "managers/common/RemoveDevice.h"

#include <QMetaObject>

OvM26ListMgr &OvM26ListMgr::instance()
{
    static OvM26ListMgr *const manager = new OvM26ListMgr(deviceCentre());
    return *manager;
}

OvM26ListMgr::OvM26ListMgr(OvManageCenter *centre, QObject *parent) : QObject(parent), m_centre(centre)
{
    centreSetM26Callbacks(
        m_centre, [this](TermEvent<OvMic> &event) { return handleStationEvent(event); },
        [this](TermEvent<OvMicBtnCall> &event) {
            m_cache.setButtonCalls(std::move(event.records));
            return 0;
        });
    fetchList();
}

OvM26ListMgr::~OvM26ListMgr()
{
    centreSetM26Callbacks(m_centre, nullptr, nullptr);
}

int OvM26ListMgr::fetchList()
{
    return retryWhileBusy([this] { return centreM26List(m_centre); }, kListPauseMs);
}

int OvM26ListMgr::fetchButtonCalls(int stationId)
{
    return retryWhileBusy([&] { return centreM26ButtonCalls(m_centre, stationId); }, kListPauseMs);
}

int OvM26ListMgr::saveSettings(const OvMic &station)
{
    const int result = retryWhileBusy([&] { return centreM26Settings(m_centre, station); }, kEditPauseMs);
    if (result == 0)
        applyAndSignal(station);
    return result;
}

int OvM26ListMgr::removeStation(const OvMic &station)
{
    const int result =
        retryWhileBusy([&] { return centreRemoveDevice(m_centre, station.id, station.type); }, kEditPauseMs);
    if (result == 0 && m_cache.remove(station.id))
        signalDeleted(station.id);
    return result;
}

int OvM26ListMgr::commitButtonCalls(int stationId, const std::vector<OvMicBtnCall> &calls)
{
    return retryWhileBusy([&] { return centreM26CommitButtonCalls(m_centre, stationId, calls); }, kEditPauseMs);
}

void OvM26ListMgr::applyAndSignal(const OvMic &station)
{
    m_cache.apply(station);
    const int id = station.id;
    QMetaObject::invokeMethod(this, [this, id] { emit m26Changed(id); }, Qt::QueuedConnection);
}

void OvM26ListMgr::signalDeleted(int id)
{
    QMetaObject::invokeMethod(this, [this, id] { emit m26Deleted(id); }, Qt::QueuedConnection);
}

int OvM26ListMgr::handleStationEvent(TermEvent<OvMic> &event)
{
    switch (event.code) {
    case OvM26Manage::ListCode:
        m_cache.replaceAll(std::move(event.records));
        QMetaObject::invokeMethod(this, [this] { emit gotM26List(); }, Qt::QueuedConnection);
        return 0;
    case OvM26Manage::SettingsCode:
        for (const OvMic &m : event.records)
            applyAndSignal(m);
        return 0;
    case OvM26Manage::DeletedEvent:
        for (const OvMic &m : event.records) {
            if (m_cache.remove(m.id))
                signalDeleted(m.id);
        }
        return 0;
    default:
        return -1;
    }
}
