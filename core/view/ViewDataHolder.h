#pragma once

#include "view/ViewHolderBase.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <vector>

// A family's records kept for the screens, guarded by the holder's own mutex.
// The list is absent until the first list event. Readers take the list with
// lockList(); the returned guard keeps the mutex until it goes out of scope.
// Record needs an int member `id`.
template <typename Record>
class ViewDataHolder : public ViewHolderBase
{
public:
    class LockedList
    {
    public:
        explicit LockedList(ViewDataHolder &holder) : m_guard(holder.m_lock), m_list(holder.m_records) {}
        bool exists() const { return m_list.has_value(); }
        // Only when exists().
        const std::vector<Record> &records() const { return *m_list; }
        const std::vector<Record> *operator->() const { return &*m_list; }
        void unlock() { m_guard.unlock(); }

    private:
        std::unique_lock<std::mutex> m_guard;
        const std::optional<std::vector<Record>> &m_list;
    };

    LockedList lockList() { return LockedList(*this); }

    bool hasList() const
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_records.has_value();
    }

    std::optional<Record> findCopy(int id) const
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (!m_records)
            return std::nullopt;
        const auto it = std::find_if(m_records->begin(), m_records->end(),
                                     [id](const Record &r) { return r.id == id; });
        if (it == m_records->end())
            return std::nullopt;
        return *it;
    }

    // Replaces the whole list (creating it) and tells the screens.
    void replaceList(std::vector<Record> records)
    {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_records = std::move(records);
        }
        notifyList();
    }

    // Replaces the record of the same id, or appends it; tells the screens.
    void upsert(const Record &record)
    {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (!m_records)
                m_records.emplace();
            const auto it = std::find_if(m_records->begin(), m_records->end(),
                                         [&record](const Record &r) { return r.id == record.id; });
            if (it == m_records->end())
                m_records->push_back(record);
            else
                *it = record;
        }
        notifyChanged(record.id);
    }

    // Removes the record; false when it was not there.
    bool remove(int id)
    {
        bool removed = false;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (m_records) {
                const auto it = std::remove_if(m_records->begin(), m_records->end(),
                                               [id](const Record &r) { return r.id == id; });
                removed = it != m_records->end();
                m_records->erase(it, m_records->end());
            }
        }
        if (removed)
            notifyDeleted(id);
        return removed;
    }

protected:
    // For derived holders that reorder or edit under the lock themselves.
    std::mutex &lock() const { return m_lock; }
    std::optional<std::vector<Record>> &records() { return m_records; }
    const std::optional<std::vector<Record>> &records() const { return m_records; }

private:
    mutable std::mutex m_lock;
    std::optional<std::vector<Record>> m_records;
};
