#pragma once

#include "managers/common/OvBaseTerminal.h"

#include <functional>
#include <vector>

// The M35 paging microphones a group may hold.
using GroupMicSource = std::function<std::vector<OvBaseTerminal>()>;

// A copy of the microphone list manager's cache (fetched first while empty).
std::vector<OvBaseTerminal> currentGroupMics();
