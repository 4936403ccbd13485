#include "view/LevelHolder.h"

namespace {
// Created during static initialisation, as the screens expect it to exist
// before the first level list can arrive.
LevelHolder &g_levelHolder = LevelHolder::instance();
} // namespace

LevelHolder &LevelHolder::instance()
{
    static LevelHolder holder;
    return holder;
}

void LevelHolder::fillLevels(const std::vector<OvLevel> &levels)
{
    std::vector<OvLevel> copies;
    copies.reserve(levels.size());
    for (const OvLevel &level : levels)
        copies.push_back(level.copied());
    std::stable_sort(copies.begin(), copies.end(),
                     [](const OvLevel &a, const OvLevel &b) { return a.id < b.id; });
    replaceList(std::move(copies));
}

int LevelHolder::fetchLevel(int type, OvLevel &out) const
{
    const auto list = lockList();
    if (!list.exists())
        return -1;
    const OvLevel *found = levelForType(list.records(), type);
    if (!found)
        return -1;
    out = found->copied();
    return 0;
}
