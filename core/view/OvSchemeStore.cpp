#include "view/OvSchemeStore.h"

#include "managers/common/BusyRetry.h"
#include "managers/common/DeviceCentre.h"
#include "managers/schemes/SchemeRequests.h"
#include "protocol/RequestResult.h"
#include "view/OvCreateViewCtrMgr.h"
#include "view/OvQtViewCtrl.h"

#include <algorithm>

OvSchemeStore &OvSchemeStore::instance()
{
    static OvSchemeStore *const store = new OvSchemeStore(deviceCentre());
    return *store;
}

OvSchemeStore::OvSchemeStore(OvManageCenter *centre) : m_centre(centre)
{
    for (auto &view : m_views) {
        view = OvCreateViewCtrMgr::instance().create(OvCreateViewCtrMgr::QtView);
        view->createSignal();
    }
    OvSchemeManage::Callbacks c;
    c.listed = [this](const std::vector<OvScheme> &list, int family) { onListed(list, family); };
    c.added = [this](const OvScheme &s, int family, bool fromAnswer) { onStored(s, family, fromAnswer); };
    c.changed = [this](const OvScheme &s, int family, bool fromAnswer) { onStored(s, family, fromAnswer); };
    c.deleted = [this](int id, int family) { onDeleted(id, family); };
    centreSetSchemeCallbacks(m_centre, std::move(c));
}

OvSchemeStore::~OvSchemeStore()
{
    centreSetSchemeCallbacks(m_centre, {});
}

OvQtViewSignal *OvSchemeStore::view(int family) const
{
    return OvSchemeManage::validFamily(family) ? m_views[static_cast<size_t>(family)]->viewSignal() : nullptr;
}

std::optional<std::vector<OvScheme>> OvSchemeStore::schemeList(int family)
{
    if (!OvSchemeManage::validFamily(family))
        return std::nullopt;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_lists[static_cast<size_t>(family)])
            return m_lists[static_cast<size_t>(family)];
    }
    retryWhileBusy([this, family] { return centreSchemeList(m_centre, family); }, kListPauseMs,
                   busyAttemptLimit(kListPauseMs));
    return std::nullopt;
}

std::optional<OvScheme> OvSchemeStore::findScheme(int id, int family) const
{
    if (!OvSchemeManage::validFamily(family))
        return std::nullopt;
    std::lock_guard<std::mutex> guard(m_lock);
    const auto &list = m_lists[static_cast<size_t>(family)];
    if (!list)
        return std::nullopt;
    const auto it = std::find_if(list->begin(), list->end(), [id](const OvScheme &s) { return s.id == id; });
    return it == list->end() ? std::nullopt : std::optional<OvScheme>(*it);
}

int OvSchemeStore::sendWithAnswer(OvScheme &scheme, int family,
                                  int (*send)(OvManageCenter *, const OvScheme &, int))
{
    if (!OvSchemeManage::validFamily(family))
        return kMissingManager;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_answered[static_cast<size_t>(family)].reset();
    }
    const OvScheme request = scheme;
    const int result = retryWhileBusy([&] { return send(m_centre, request, family); }, kEditPauseMs,
                                      busyAttemptLimit(kEditPauseMs));
    if (result != Done)
        return result;
    std::lock_guard<std::mutex> guard(m_lock);
    std::optional<OvScheme> &answered = m_answered[static_cast<size_t>(family)];
    if (answered)
        scheme = *answered;
    answered.reset();
    return result;
}

int OvSchemeStore::sendAdd(OvScheme &scheme, int family)
{
    const qint32 before = scheme.id;
    const int result = sendWithAnswer(scheme, family, centreSchemeAdd);
    if (result == Done && scheme.id == before)
        scheme.id = OvScheme::kUnknownId;  // the notification will bring the server's id
    return result;
}

int OvSchemeStore::sendModify(OvScheme &scheme, int family)
{
    return sendWithAnswer(scheme, family, centreSchemeModify);
}

int OvSchemeStore::sendToggle(OvScheme &scheme, int family)
{
    OvScheme toggled = scheme;
    toggled.enabled = scheme.enabled == 0 ? 1 : 0;
    const int result = sendModify(toggled, family);
    if (result == Done)
        scheme = toggled;
    return result;
}

int OvSchemeStore::sendDelete(const OvScheme &scheme, int family)
{
    if (!OvSchemeManage::validFamily(family))
        return kMissingManager;
    return retryWhileBusy([&] { return centreSchemeDelete(m_centre, scheme, family); }, kEditPauseMs,
                          busyAttemptLimit(kEditPauseMs));
}

void OvSchemeStore::removeScheme(int id, int family)
{
    if (OvSchemeManage::validFamily(family))
        onDeleted(id, family);
}

OvSchemeStore::Change OvSchemeStore::storeLocked(const OvScheme &scheme, int family)
{
    // Before the first list a single scheme would pass for the whole list;
    // the list request brings it anyway.
    auto &list = m_lists[static_cast<size_t>(family)];
    if (!list)
        return Change::Nothing;
    const auto it = std::find_if(list->begin(), list->end(), [&](const OvScheme &s) { return s.id == scheme.id; });
    if (it != list->end()) {
        *it = scheme;
        return Change::Updated;
    }
    list->push_back(scheme);
    return Change::Added;
}

void OvSchemeStore::announce(Change change, int id, int family)
{
    OvQtViewCtrl &view = *m_views[static_cast<size_t>(family)];
    switch (change) {
    case Change::Added:
        view.addTerminal(id);
        break;
    case Change::Updated:
        view.updateTerminal(id);
        break;
    case Change::Removed:
        view.delTerminal(id);
        break;
    case Change::Nothing:
        break;
    }
}

void OvSchemeStore::onListed(const std::vector<OvScheme> &list, int family)
{
    if (!OvSchemeManage::validFamily(family))
        return;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_lists[static_cast<size_t>(family)] = list;
    }
    m_views[static_cast<size_t>(family)]->haveTerminals();
}

void OvSchemeStore::onStored(const OvScheme &scheme, int family, bool fromAnswer)
{
    if (!OvSchemeManage::validFamily(family))
        return;
    // Whichever comes first, the answer or the server's push, adds the scheme;
    // the other only updates it, so the panel gets one addTerminal per scheme.
    Change change;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        change = storeLocked(scheme, family);
        if (fromAnswer)
            m_answered[static_cast<size_t>(family)] = scheme;
    }
    announce(change, scheme.id, family);
}

void OvSchemeStore::onDeleted(int id, int family)
{
    if (!OvSchemeManage::validFamily(family))
        return;
    Change change = Change::Nothing;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        auto &list = m_lists[static_cast<size_t>(family)];
        if (list) {
            const auto it = std::find_if(list->begin(), list->end(), [id](const OvScheme &s) { return s.id == id; });
            if (it != list->end()) {
                list->erase(it);
                change = Change::Removed;
            }
        }
    }
    announce(change, id, family);
}
