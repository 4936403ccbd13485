#pragma once

#include "protocol/OvLevel.h"
#include "view/ViewDataHolder.h"

// The permission levels of the server, kept for the permission checks of the
// screens. Filled by the level manager's callback (receive thread).
class LevelHolder final : public ViewDataHolder<OvLevel>
{
public:
    static LevelHolder &instance();

    // Copies the received levels, sorts them by ascending id, tells the screens.
    void fillLevels(const std::vector<OvLevel> &levels);

    // Copies the first level of `type` into `out`: 0 when found, -1 when
    // there is no list or no such entry.
    int fetchLevel(int type, OvLevel &out) const;
};
