#pragma once

#include <algorithm>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

// A family's cached records, guarded by their own mutex: absent until the
// first list arrives (absent is not the same as empty), then replaced whole by
// every list and patched by change events and the console's own edits.
//
// The records are kept in the family's order, and an id -> position index
// lets a change find its record without a scan; a list is sorted once (and
// not at all when it comes sorted). Record needs an int member `id`.
template <typename Record>
class TermListCache
{
public:
    enum class Order { AscendingId, DescendingId, AsReceived };
    enum class Applied { Replaced, Added, NoList };

    // Holds the mutex for as long as it lives (or until unlock()); readers
    // take the records through it and never keep pointers past it.
    class LockedList
    {
    public:
        explicit LockedList(const TermListCache &cache) : m_guard(cache.m_lock), m_list(cache.m_records) {}
        bool exists() const { return m_guard.owns_lock() && m_list.has_value(); }
        // Only when exists().
        const std::vector<Record> &records() const { return *m_list; }
        const std::vector<Record> *operator->() const { return &*m_list; }
        void unlock() { m_guard.unlock(); }

    private:
        std::unique_lock<std::mutex> m_guard;
        const std::optional<std::vector<Record>> &m_list;
    };

    explicit TermListCache(Order order) : m_order(order) {}
    TermListCache(const TermListCache &) = delete;
    TermListCache &operator=(const TermListCache &) = delete;

    LockedList lockList() const { return LockedList(*this); }

    bool exists() const
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_records.has_value();
    }

    std::optional<Record> findCopy(int id) const
    {
        std::lock_guard<std::mutex> guard(m_lock);
        const Record *found = findLocked(id);
        return found ? std::optional<Record>(*found) : std::nullopt;
    }

    // Replaces (creating the cache) with a list in the order received.
    void replaceAll(std::vector<Record> &&records)
    {
        sortRecords(records);
        std::unordered_map<int, size_t> index = buildIndex(records);
        std::vector<Record> old;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (m_records)
                old.swap(*m_records);
            m_records = std::move(records);
            m_index.swap(index);
        }
        // The old records and index are freed here, outside the lock.
    }

    // Replaces the cached record with the record's id; false (and nothing
    // changed) when the cache has no such record.
    bool replaceEntry(const Record &record)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return replaceLocked(record);
    }

    // Changes the cached record with this id in place, under the lock, so a
    // change arriving meanwhile is never overwritten by an older copy; false
    // when there is no such record.
    template <typename Change>
    bool modify(int id, Change change)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        const auto it = m_index.find(id);
        if (!m_records || it == m_index.end())
            return false;
        change((*m_records)[it->second]);
        return true;
    }

    // A change event: replace a known id, add a new one in its place in the
    // order; nothing while there is no cache.
    Applied applyChange(const Record &record)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (!m_records)
            return Applied::NoList;
        if (replaceLocked(record))
            return Applied::Replaced;
        std::vector<Record> &list = *m_records;
        auto at = list.end();
        if (m_order == Order::AscendingId)
            at = std::upper_bound(list.begin(), list.end(), record.id,
                                  [](int id, const Record &r) { return id < r.id; });
        else if (m_order == Order::DescendingId)
            at = std::upper_bound(list.begin(), list.end(), record.id,
                                  [](int id, const Record &r) { return id > r.id; });
        const bool atEnd = at == list.end();
        list.insert(at, record);
        if (atEnd)
            m_index.emplace(record.id, list.size() - 1);
        else
            m_index = buildIndex(list);
        return Applied::Added;
    }

    // Removes the cached record with this id; false when there is none.
    bool remove(int id)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        const auto it = m_index.find(id);
        if (!m_records || it == m_index.end())
            return false;
        m_records->erase(m_records->begin() + static_cast<std::ptrdiff_t>(it->second));
        m_index = buildIndex(*m_records);
        return true;
    }

    size_t size() const
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_records ? m_records->size() : 0;
    }

private:
    const Record *findLocked(int id) const
    {
        if (!m_records)
            return nullptr;
        const auto it = m_index.find(id);
        return it == m_index.end() ? nullptr : &(*m_records)[it->second];
    }

    bool replaceLocked(const Record &record)
    {
        if (!m_records)
            return false;
        const auto it = m_index.find(record.id);
        if (it == m_index.end())
            return false;
        std::vector<Record> &list = *m_records;
        if (m_order != Order::AsReceived) {
            // Same id, so the sorted position does not move.
            list[it->second] = record;
            return true;
        }
        // An unsorted family takes the new copy at the end, as it arrives.
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(it->second));
        list.push_back(record);
        m_index = buildIndex(list);
        return true;
    }

    void sortRecords(std::vector<Record> &records) const
    {
        if (m_order == Order::AscendingId) {
            const auto less = [](const Record &a, const Record &b) { return a.id < b.id; };
            if (!std::is_sorted(records.begin(), records.end(), less))
                std::stable_sort(records.begin(), records.end(), less);
        } else if (m_order == Order::DescendingId) {
            const auto greater = [](const Record &a, const Record &b) { return a.id > b.id; };
            if (!std::is_sorted(records.begin(), records.end(), greater))
                std::stable_sort(records.begin(), records.end(), greater);
        }
    }

    // With duplicate ids the first one is the one found, replaced and removed.
    static std::unordered_map<int, size_t> buildIndex(const std::vector<Record> &records)
    {
        std::unordered_map<int, size_t> index;
        index.reserve(records.size());
        for (size_t i = 0; i < records.size(); ++i)
            index.emplace(records[i].id, i);
        return index;
    }

    mutable std::mutex m_lock;
    const Order m_order;
    std::optional<std::vector<Record>> m_records;
    std::unordered_map<int, size_t> m_index;
};
