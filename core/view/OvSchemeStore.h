#pragma once

#include "managers/schemes/OvScheme.h"
#include "managers/schemes/OvSchemeManage.h"

#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class OvManageCenter;
class OvQtViewCtrl;
class OvQtViewSignal;

// The schemes as the pages see them: one list per family (absent until its
// first list answer), and per family a view control whose signals
// (haveTerminals, addTerminal, delTerminal, updateTerminal) tell the scheme
// panel what changed. Created on first use; it installs its callbacks in the
// scheme manager. Every operation refuses a family outside 0 to 3.
class OvSchemeStore
{
public:
    static OvSchemeStore &instance();

    explicit OvSchemeStore(OvManageCenter *centre);
    ~OvSchemeStore();
    OvSchemeStore(const OvSchemeStore &) = delete;
    OvSchemeStore &operator=(const OvSchemeStore &) = delete;

    // The family's signal source; nullptr for a bad family.
    OvQtViewSignal *view(int family) const;

    // A snapshot of the family's list. While there is none yet, asks for it
    // (again while busy, 10 ms apart, within a limit) and returns none: the
    // list arrives with haveTerminals().
    std::optional<std::vector<OvScheme>> schemeList(int family);
    std::optional<OvScheme> findScheme(int id, int family) const;

    // RequestResults (-1 for a bad family). On Done, add and modify copy the
    // scheme the answer carried into `scheme` (the id the server gave); when
    // the answer carried none, an added scheme keeps id -1 ("unknown") until
    // the notification brings it.
    int sendAdd(OvScheme &scheme, int family);
    int sendModify(OvScheme &scheme, int family);
    // A modify with enabled inverted first (0 becomes 1, anything else 0).
    int sendToggle(OvScheme &scheme, int family);
    int sendDelete(const OvScheme &scheme, int family);
    void removeScheme(int id, int family);

private:
    enum class Change { Added, Updated, Removed, Nothing };

    void onListed(const std::vector<OvScheme> &list, int family);
    void onStored(const OvScheme &scheme, int family, bool fromAnswer);
    void onDeleted(int id, int family);
    Change storeLocked(const OvScheme &scheme, int family);
    void announce(Change change, int id, int family);
    int sendWithAnswer(OvScheme &scheme, int family, int (*send)(OvManageCenter *, const OvScheme &, int));

    OvManageCenter *m_centre;
    mutable std::mutex m_lock;  // lists and answered
    std::array<std::optional<std::vector<OvScheme>>, OvSchemeManage::kFamilies> m_lists;
    // The scheme the answer to this console's add or modify carried, per
    // family; notifications never set it.
    std::array<std::optional<OvScheme>, OvSchemeManage::kFamilies> m_answered;
    std::array<std::unique_ptr<OvQtViewCtrl>, OvSchemeManage::kFamilies> m_views;
};
