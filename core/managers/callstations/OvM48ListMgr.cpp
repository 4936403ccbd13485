#include "managers/callstations/OvM48ListMgr.h"

#include "managers/callstations/CallStationRequests.h"
#include "managers/callstations/OvM48Manage.h"
#include "managers/common/BusyRetry.h"
#include "managers/common/DeviceCentre.h"
#include "managers/common/RemoveDevice.h"

#include <QMetaObject>

OvM48ListMgr &OvM48ListMgr::instance()
{
    static OvM48ListMgr *const manager = new OvM48ListMgr(deviceCentre());
    return *manager;
}

OvM48ListMgr::OvM48ListMgr(OvManageCenter *centre, QObject *parent) : QObject(parent), m_centre(centre)
{
    centreSetM48Callbacks(
        m_centre, [this](TermEvent<OvMic> &event) { return handleStationEvent(event); },
        [this](TermEvent<OvMicBtnCall> &event) {
            m_cache.setButtonCalls(std::move(event.records));
            return 0;
        });
    fetchList();
}

OvM48ListMgr::~OvM48ListMgr()
{
    centreSetM48Callbacks(m_centre, nullptr, nullptr);
}

int OvM48ListMgr::fetchList()
{
    return retryWhileBusy([this] { return centreM48List(m_centre); }, kListPauseMs);
}

int OvM48ListMgr::fetchButtonCalls(int stationId)
{
    return retryWhileBusy([&] { return centreM48ButtonCalls(m_centre, stationId); }, kListPauseMs);
}

int OvM48ListMgr::editAndApply(const OvMic &station, int (*send)(OvManageCenter *, const OvMic &))
{
    const int result = retryWhileBusy([&] { return send(m_centre, station); }, kEditPauseMs);
    if (result == 0) {
        m_cache.apply(station);
        const int id = station.id;
        QMetaObject::invokeMethod(this, [this, id] { emit m48Changed(id); }, Qt::QueuedConnection);
    }
    return result;
}

int OvM48ListMgr::saveSettings(const OvMic &station)
{
    return editAndApply(station, &centreM48Settings);
}

int OvM48ListMgr::setNameAndVolume(const OvMic &station)
{
    return editAndApply(station, &centreM48NameAndVolume);
}

int OvM48ListMgr::setLed(const OvMic &station)
{
    return editAndApply(station, &centreM48Led);
}

int OvM48ListMgr::removeStation(const OvMic &station)
{
    return retryWhileBusy([&] { return centreRemoveDevice(m_centre, station.id, station.type); }, kEditPauseMs);
}

int OvM48ListMgr::commitButtonCall(int stationId, const OvMicBtnCall &call)
{
    return retryWhileBusy([&] { return centreM48CommitButtonCall(m_centre, stationId, call); }, kEditPauseMs);
}

int OvM48ListMgr::handleStationEvent(TermEvent<OvMic> &event)
{
    switch (event.code) {
    case OvM48Manage::ListCode:
        m_cache.replaceAll(std::move(event.records));
        QMetaObject::invokeMethod(this, [this] { emit gotM48List(); }, Qt::QueuedConnection);
        return 0;
    case OvM48Manage::SettingsCode:
        for (const OvMic &m : event.records) {
            m_cache.apply(m);
            const int id = m.id;
            QMetaObject::invokeMethod(this, [this, id] { emit m48Changed(id); }, Qt::QueuedConnection);
        }
        return 0;
    case OvM48Manage::DeletedEvent:
        for (const OvMic &m : event.records) {
            if (!m_cache.remove(m.id))
                continue;
            const int id = m.id;
            QMetaObject::invokeMethod(this, [this, id] { emit m48Deleted(id); }, Qt::QueuedConnection);
        }
        return 0;
    default:
        return -1;
    }
}
