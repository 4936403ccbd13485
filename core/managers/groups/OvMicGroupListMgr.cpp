#include "managers/groups/OvMicGroupListMgr.h"

#include "managers/common/BusyRetry.h"
#include "managers/common/DeviceCentre.h"
#include "managers/groups/MicGroupRequests.h"
#include "managers/groups/OvMicGroupManage.h"
#include "protocol/RequestResult.h"

#include <QMetaObject>

#include <algorithm>

OvMicGroupListMgr &OvMicGroupListMgr::instance()
{
    static OvMicGroupListMgr *const manager = new OvMicGroupListMgr(deviceCentre());
    return *manager;
}

OvMicGroupListMgr::OvMicGroupListMgr(OvManageCenter *centre, QObject *parent) : QObject(parent), m_centre(centre)
{
    m_cache.replaceAll({});
    centreSetMicGroupCallback(m_centre, [this](TermEvent<MicGroup> &event) { return handleEvent(event); });
    fetchList();
}

OvMicGroupListMgr::~OvMicGroupListMgr()
{
    centreSetMicGroupCallback(m_centre, nullptr);
}

int OvMicGroupListMgr::fetchList()
{
    return retryWhileBusy([this] { return centreMicGroupList(m_centre); }, kListPauseMs);
}

std::vector<MicGroup> OvMicGroupListMgr::groupList() const
{
    const auto locked = m_cache.lockList();
    return locked.exists() ? locked.records() : std::vector<MicGroup>();
}

bool OvMicGroupListMgr::findGroup(int id, MicGroup &out) const
{
    std::optional<MicGroup> found = m_cache.findCopy(id);
    if (!found)
        return false;
    out = std::move(*found);
    return true;
}

int OvMicGroupListMgr::maxGroupId() const
{
    const auto locked = m_cache.lockList();
    int most = 0;
    if (locked.exists()) {
        for (const MicGroup &r : locked.records())
            most = std::max(most, r.id);
    }
    return most;
}

int OvMicGroupListMgr::send(const MicGroup &group, EditAction action)
{
    const int result = retryWhileBusy([&] { return centreMicGroupEdit(m_centre, group, action); }, kEditPauseMs);
    if (result == Done)
        apply(group, action);
    else if (result == TimedOut)
        fetchList();
    return result;
}

void OvMicGroupListMgr::apply(const MicGroup &group, EditAction action)
{
    const int id = group.id;
    switch (applyEdit(m_cache, group, action)) {
    case EditApplied::Changed:
        QMetaObject::invokeMethod(this, [this, id] { emit groupChanged(id); }, Qt::QueuedConnection);
        break;
    case EditApplied::Deleted:
        QMetaObject::invokeMethod(this, [this, id] { emit groupDeleted(id); }, Qt::QueuedConnection);
        break;
    case EditApplied::Nothing:
        break;
    }
}

int OvMicGroupListMgr::handleEvent(TermEvent<MicGroup> &event)
{
    switch (event.code) {
    case OvMicGroupManage::ListCode:
        m_cache.replaceAll(std::move(event.records));
        QMetaObject::invokeMethod(this, [this] { emit gotGroupList(); }, Qt::QueuedConnection);
        return 0;
    case OvMicGroupManage::EditCode:
        for (const MicGroup &r : event.records)
            apply(r, EditAction::Mod);
        return 0;
    case OvMicGroupManage::DeletedEvent:
        for (const MicGroup &r : event.records)
            apply(r, EditAction::Del);
        return 0;
    default:
        return -1;
    }
}
