#include "managers/capture/CaptureHolder.h"

#include "managers/capture/CaptureRequests.h"
#include "managers/common/BusyRetry.h"
#include "managers/terminals/TerminalRequests.h"
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
    if (result == 0) {
        std::lock_guard<std::mutex> guard(lock());
        if (records()) {
            const auto it = std::find_if(records()->begin(), records()->end(),
                                         [&cap](const OvCap &c) { return c.id == cap.id; });
            if (it != records()->end())
                records()->erase(it);
        }
    }
    return result;
}

void CaptureHolder::onList(std::vector<OvCap> &list)
{
    {
        std::lock_guard<std::mutex> guard(lock());
        records() = std::move(list);
        std::stable_sort(records()->begin(), records()->end(),
                         [](const OvCap &a, const OvCap &b) { return a.id > b.id; });
    }
    notifyList();
}

int CaptureHolder::onDeleted(int id)
{
    bool removed = false;
    {
        std::lock_guard<std::mutex> guard(lock());
        if (!records())
            return -1;
        const auto it =
            std::find_if(records()->begin(), records()->end(), [id](const OvCap &c) { return c.id == id; });
        if (it != records()->end()) {
            records()->erase(it);
            removed = true;
        }
    }
    if (removed)
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
    std::lock_guard<std::mutex> guard(lock());
    if (!records())
        return false;
    const auto it =
        std::find_if(records()->begin(), records()->end(), [&cap](const OvCap &c) { return c.id == cap.id; });
    if (it != records()->end())
        records()->erase(it);
    records()->push_back(cap);
    return true;
}
