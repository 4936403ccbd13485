#include "framework/OvAdvancedLevelCtr.h"

#include "view/LevelHolder.h"

int OvAdvancedLevelCtr::fetchLevel(const LevelHolder &holder, OvLevel &level)
{
    return holder.fetchLevel(OvLevel::AdvancedSettings, level);
}
