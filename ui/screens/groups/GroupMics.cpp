#include "screens/groups/GroupMics.h"

#include "managers/mic/OvMicListMgr.h"

std::vector<OvBaseTerminal> currentGroupMics()
{
    OvMicListMgr &mics = OvMicListMgr::instance();
    {
        const auto locked = mics.lockList();
        if (locked.exists() && !locked.records().empty())
            return std::vector<OvBaseTerminal>(locked.records().begin(), locked.records().end());
    }
    mics.fetchList();
    const auto locked = mics.lockList();
    if (!locked.exists())
        return {};
    return std::vector<OvBaseTerminal>(locked.records().begin(), locked.records().end());
}
