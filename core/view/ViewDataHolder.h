#pragma once

#include "managers/common/TermListCache.h"
#include "view/ViewHolderBase.h"

#include <optional>
#include <utility>
#include <vector>

// A family's records kept for the screens: the shared guarded cache of the
// device lists (absent until the first list, an id index, lockList() guards)
// with the view control that tells the screens. Record needs an int `id`.
template <typename Record>
class ViewDataHolder : public ViewHolderBase
{
public:
    using Cache = TermListCache<Record>;
    using LockedList = typename Cache::LockedList;

    explicit ViewDataHolder(typename Cache::Order order = Cache::Order::AsReceived) : m_cache(order) {}

    LockedList lockList() const { return m_cache.lockList(); }
    bool hasList() const { return m_cache.exists(); }
    std::optional<Record> findCopy(int id) const { return m_cache.findCopy(id); }

    // Replaces the whole list (creating it) and tells the screens.
    void replaceList(std::vector<Record> records)
    {
        m_cache.replaceAll(std::move(records));
        notifyList();
    }

    // Removes the record and tells the screens; false when it was not there.
    bool remove(int id)
    {
        const bool removed = m_cache.remove(id);
        if (removed)
            notifyDeleted(id);
        return removed;
    }

protected:
    Cache &cache() { return m_cache; }
    const Cache &cache() const { return m_cache; }

private:
    Cache m_cache;
};
