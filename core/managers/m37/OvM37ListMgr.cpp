#include "managers/m37/OvM37ListMgr.h"

#include "managers/common/BusyRetry.h"
#include "managers/common/DeviceCentre.h"
#include "managers/m37/M37Requests.h"
#include "managers/m37/OvM37Manage.h"
#include "managers/common/RemoveDevice.h"

#include <QMetaObject>

OvM37ListMgr &OvM37ListMgr::instance()
{
    static OvM37ListMgr *const manager = new OvM37ListMgr(deviceCentre());
    return *manager;
}

OvM37ListMgr::OvM37ListMgr(OvManageCenter *centre, QObject *parent) : QObject(parent), m_centre(centre)
{
    m_cache.replaceAll({});
}

OvM37ListMgr::~OvM37ListMgr()
{
    centreSetM37Callback(m_centre, nullptr);
}

int OvM37ListMgr::fetchList()
{
    centreSetM37Callback(m_centre, [this](TermEvent<OvM37> &event) { return handleEvent(event); });
    return retryWhileBusy([this] { return centreM37List(m_centre); }, kListPauseMs);
}

int OvM37ListMgr::removeDevice(const OvM37 &device)
{
    const int result =
        retryWhileBusy([&] { return centreRemoveDevice(m_centre, device.id, device.type); }, kEditPauseMs);
    if (result == 0)
        m_cache.remove(device.id);
    return result;
}

int OvM37ListMgr::handleEvent(TermEvent<OvM37> &event)
{
    switch (event.code) {
    case OvM37Manage::ListCode:
        m_cache.replaceAll(std::move(event.records));
        QMetaObject::invokeMethod(this, [this] { emit gotM37List(); }, Qt::QueuedConnection);
        return 0;
    case OvM37Manage::ChangeEvent:
        for (const OvM37 &m : event.records) {
            m_cache.applyChange(m);
            const int id = m.id;
            QMetaObject::invokeMethod(this, [this, id] { emit m37Changed(id); }, Qt::QueuedConnection);
        }
        return 0;
    case RemovedEvent:
        for (const OvM37 &m : event.records) {
            if (!m_cache.remove(m.id))
                continue;
            const int id = m.id;
            QMetaObject::invokeMethod(this, [this, id] { emit m37Deleted(id); }, Qt::QueuedConnection);
        }
        return 0;
    default:
        return -1;
    }
}
