#include "managers/regions/OvRegionListMgr.h"

#include "managers/common/BusyRetry.h"
#include "managers/common/DeviceCentre.h"
#include "managers/regions/OvRegionManage.h"
#include "managers/regions/RegionRequests.h"
#include "protocol/RequestResult.h"

#include <QMetaObject>

#include <algorithm>

OvRegionListMgr &OvRegionListMgr::instance()
{
    static OvRegionListMgr *const manager = new OvRegionListMgr(deviceCentre());
    return *manager;
}

OvRegionListMgr::OvRegionListMgr(OvManageCenter *centre, QObject *parent) : QObject(parent), m_centre(centre)
{
    m_cache.replaceAll({});
    centreSetRegionCallback(m_centre, [this](TermEvent<OvRegion> &event) { return handleEvent(event); });
    fetchList();
}

OvRegionListMgr::~OvRegionListMgr()
{
    centreSetRegionCallback(m_centre, nullptr);
}

int OvRegionListMgr::fetchList()
{
    return retryWhileBusy([this] { return centreRegionList(m_centre); }, kListPauseMs);
}

std::vector<OvRegion> OvRegionListMgr::regionList() const
{
    const auto locked = m_cache.lockList();
    return locked.exists() ? locked.records() : std::vector<OvRegion>();
}

bool OvRegionListMgr::findRegion(int id, OvRegion &out) const
{
    std::optional<OvRegion> found = m_cache.findCopy(id);
    if (!found)
        return false;
    out = std::move(*found);
    return true;
}

int OvRegionListMgr::maxRegionId() const
{
    const auto locked = m_cache.lockList();
    int most = 0;
    if (locked.exists()) {
        for (const OvRegion &r : locked.records())
            most = std::max(most, r.id);
    }
    return most;
}

int OvRegionListMgr::send(const OvRegion &region, EditAction action)
{
    const int result = retryWhileBusy([&] { return centreRegionEdit(m_centre, region, action); }, kEditPauseMs);
    if (result == Done)
        apply(region, action);
    else if (result == TimedOut)
        fetchList();
    return result;
}

void OvRegionListMgr::apply(const OvRegion &region, EditAction action)
{
    const int id = region.id;
    switch (applyEdit(m_cache, region, action)) {
    case EditApplied::Changed:
        QMetaObject::invokeMethod(this, [this, id] { emit regionChanged(id); }, Qt::QueuedConnection);
        break;
    case EditApplied::Deleted:
        QMetaObject::invokeMethod(this, [this, id] { emit regionDeleted(id); }, Qt::QueuedConnection);
        break;
    case EditApplied::Nothing:
        break;
    }
}

int OvRegionListMgr::handleEvent(TermEvent<OvRegion> &event)
{
    switch (event.code) {
    case OvRegionManage::ListCode:
        m_cache.replaceAll(std::move(event.records));
        QMetaObject::invokeMethod(this, [this] { emit gotRegionList(); }, Qt::QueuedConnection);
        return 0;
    case OvRegionManage::EditCode:
        for (const OvRegion &r : event.records)
            apply(r, EditAction::Mod);
        return 0;
    case OvRegionManage::DeletedEvent:
        for (const OvRegion &r : event.records)
            apply(r, EditAction::Del);
        return 0;
    default:
        return -1;
    }
}
