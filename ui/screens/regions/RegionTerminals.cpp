#include "screens/regions/RegionTerminals.h"

#include "managers/callstations/OvM26ListMgr.h"
#include "managers/callstations/OvM48ListMgr.h"
#include "managers/terminals/OvPlayTermListMgr.h"

std::vector<OvBaseTerminal> RegionTerminals::all() const
{
    std::vector<OvBaseTerminal> out;
    out.reserve(players.size() + m26.size() + m48.size());
    out.insert(out.end(), players.begin(), players.end());
    out.insert(out.end(), m26.begin(), m26.end());
    out.insert(out.end(), m48.begin(), m48.end());
    return out;
}

namespace {

template <typename LockedList>
void copyInto(const LockedList &locked, std::vector<OvBaseTerminal> &out)
{
    if (!locked.exists())
        return;
    out.reserve(locked.records().size());
    for (const auto &t : locked.records())
        out.push_back(t);
}

} // namespace

RegionTerminals currentRegionTerminals()
{
    RegionTerminals t;
    OvPlayTermListMgr &players = OvPlayTermListMgr::instance();
    if (!players.hasList())
        players.fetchList();
    for (const OvTerminal &p : players.snapshot().value_or(std::vector<OvTerminal>()))
        t.players.push_back(p);
    copyInto(OvM26ListMgr::instance().lockList(), t.m26);
    copyInto(OvM48ListMgr::instance().lockList(), t.m48);
    return t;
}
