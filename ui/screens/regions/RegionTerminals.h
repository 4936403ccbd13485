#pragma once

#include "managers/common/OvBaseTerminal.h"

#include <functional>
#include <vector>

// The terminals a region may hold, in the order the dialog lists them:
// player terminals, then M26, then M48 call stations.
struct RegionTerminals
{
    std::vector<OvBaseTerminal> players;
    std::vector<OvBaseTerminal> m26;
    std::vector<OvBaseTerminal> m48;

    std::vector<OvBaseTerminal> all() const;
};

using RegionTerminalSource = std::function<RegionTerminals()>;

// Copies from the process-wide list managers (a list not fetched yet is
// asked for first).
RegionTerminals currentRegionTerminals();
