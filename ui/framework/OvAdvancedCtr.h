#pragma once

#include "framework/OvAdvancedLevelCtr.h"
#include "framework/OvTerBaseCtr.h"

// The media library's table control: a terminal table whose edits need the
// advanced-settings permission (level type 4).
class OvAdvancedCtr : public OvTerBaseCtr, public OvAdvancedLevelCtr
{
public:
    using OvTerBaseCtr::OvTerBaseCtr;

    int fetchLevel(const LevelHolder &holder, OvLevel &level) override
    {
        return OvAdvancedLevelCtr::fetchLevel(holder, level);
    }
};
