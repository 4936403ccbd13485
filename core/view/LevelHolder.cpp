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
    std::lock_guard<std::mutex> guard(lock());
    const auto &list = records();
    if (!list)
        return -1;
    const OvLevel *found = levelForType(*list, type);
    if (!found)
        return -1;
    out = found->copied();
    return 0;
}
