#pragma once

#include "managers/callstations/OvMicBtnCall.h"
#include "managers/common/TermListCache.h"
#include "managers/mic/MicBookHolder.h"
#include "managers/mic/OvMic.h"

#include <optional>
#include <vector>

// What both call-station list managers keep: the stations in the order
// received (the cache exists, empty, from the start, so a change before the
// first list is kept) and the button calls of the station last asked for.
class CallStationCache
{
public:
    using Cache = TermListCache<OvMic>;

    CallStationCache() { m_stations.replaceAll({}); }

    Cache::LockedList lockList() const { return m_stations.lockList(); }
    std::optional<OvMic> findCopy(int id) const { return m_stations.findCopy(id); }
    void replaceAll(std::vector<OvMic> &&stations) { m_stations.replaceAll(std::move(stations)); }
    // A known station is overwritten where it is; a new one is appended.
    void apply(const OvMic &station)
    {
        if (!m_stations.modify(station.id, [&station](OvMic &cached) { cached = station; }))
            m_stations.applyChange(station);
    }
    bool remove(int id) { return m_stations.remove(id); }

    void setButtonCalls(std::vector<OvMicBtnCall> &&calls) { m_buttonCalls.replace(std::move(calls)); }
    std::vector<OvMicBtnCall> buttonCalls() const { return m_buttonCalls.copy(); }

private:
    Cache m_stations{Cache::Order::AsReceived};
    MicBookHolder<OvMicBtnCall> m_buttonCalls;
};
