#pragma once

#include "framework/OvBaseLevelCtr.h"

// The permission of the advanced settings (level type 4).
class OvAdvancedLevelCtr : public virtual OvBaseLevelCtr
{
public:
    int fetchLevel(const LevelHolder &holder, OvLevel &level) override;
};
