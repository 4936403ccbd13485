#pragma once

#include "managers/common/TermEvent.h"

#include <mutex>
#include <vector>

// Where a data manager keeps its list manager's callback. The list manager
// sets it on the GUI thread while the receive thread may be raising events;
// the callback is copied under the lock and called after it is released, so
// the list manager's own lock is never taken inside this one.
template <typename Record>
class TermEventSink
{
public:
    void set(TermEventCallback<Record> callback)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_callback = std::move(callback);
    }

    // The callback as it is now; empty when no list manager registered.
    TermEventCallback<Record> current() const
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_callback;
    }

    // -1 when there is no callback.
    int raise(TermEvent<Record> &event) const
    {
        const TermEventCallback<Record> callback = current();
        return callback ? callback(event) : -1;
    }

    // One event per record, each carrying exactly that record, as the
    // screens expect of change pushes; the records are moved out.
    void raiseEach(int code, std::vector<Record> &records) const
    {
        const TermEventCallback<Record> callback = current();
        if (!callback)
            return;
        TermEvent<Record> event;
        event.code = code;
        for (Record &record : records) {
            event.records.clear();
            event.records.push_back(std::move(record));
            callback(event);
        }
    }

private:
    mutable std::mutex m_lock;
    TermEventCallback<Record> m_callback;
};
