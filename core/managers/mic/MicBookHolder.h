#pragma once

#include <mutex>
#include <vector>

// The entries of one book as last received, under a mutex of their own: the
// receive thread fills it, the settings dialog reads a copy.
template <typename Entry>
class MicBookHolder
{
public:
    void replace(std::vector<Entry> &&entries)
    {
        std::vector<Entry> old;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            old.swap(m_entries);
            m_entries = std::move(entries);
        }
    }

    std::vector<Entry> copy() const
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_entries;
    }

private:
    mutable std::mutex m_lock;
    std::vector<Entry> m_entries;
};
