#include "view/CaptureHolder.h"

#include "managers/capture/CaptureRequests.h"
#include "managers/common/BusyRetry.h"
#include "managers/common/RemoveDevice.h"
#include "view/ViewRegistry.h"

#include <algorithm>

CaptureHolder &CaptureHolder::instance()
{
    static CaptureHolder *const holder = new CaptureHolder();
    return *holder;
}

CaptureHolder::~CaptureHolder()
{
    // The manager outlives a holder made for a test.
    centreSetCapCallbacks(m_centre.load(), nullptr, nullptr, nullptr);
}

void CaptureHolder::attachTo(ViewRegistry &registry)
{
    registry.attachCaptureHolder(*this, [this](OvManageCenter *centre) { bindCallbacks(centre); });
}

void CaptureHolder::bindCallbacks(OvManageCenter *centre)
{
    m_centre.store(centre);
    centreSetCapCallbacks(
        centre, [this](std::vector<OvCap> &list) { onList(list); }, [this](int id) { onDeleted(id); },
        [this](const OvCap &cap) { onChanged(cap); });
}

int CaptureHolder::fetchList(OvManageCenter *centre)
{
    bindCallbacks(centre);
    return fetchAgain();
}

int CaptureHolder::fetchAgain()
{
    return retryWhileBusy([this] { return centreCapList(m_centre.load()); }, kEditPauseMs);
}

int CaptureHolder::saveSettings(const OvCap &cap)
{
    const int result = centreCapSettings(m_centre.load(), cap);
    if (result == 0)
        replaceAtEnd(cap);
    return result;
}

int CaptureHolder::remove(const OvCap &cap)
{
    const int result = centreRemoveDevice(m_centre.load(), cap.id, cap.type);
    if (result == 0)
        cache().remove(cap.id);
    return result;
}

void CaptureHolder::onList(std::vector<OvCap> &list)
{
    std::stable_sort(list.begin(), list.end(), [](const OvCap &a, const OvCap &b) { return a.id > b.id; });
    cache().replaceAll(std::move(list));
    notifyList();
}

int CaptureHolder::onDeleted(int id)
{
    if (!cache().exists())
        return -1;
    if (cache().remove(id))
        notifyDeleted(id);
    return 0;
}

int CaptureHolder::onChanged(const OvCap &cap)
{
    if (!replaceAtEnd(cap))
        return -1;
    notifyChanged(cap.id);
    return 0;
}

bool CaptureHolder::replaceAtEnd(const OvCap &cap)
{
    // The cache keeps the order received: a known box is taken out and its
    // new copy goes to the end, a new box goes to the end.
    return cache().applyChange(cap) != Cache::Applied::NoList;
}
