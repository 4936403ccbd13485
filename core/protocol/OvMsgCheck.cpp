#include "protocol/OvMsgCheck.h"

#include <cstring>

namespace {

constexpr const char *kListNames[] = {
    "BroadcastList", "Broadcast", "CapList", "Cap", "FireList", "Fire", "MicList", "Mic",
    "SpchkTermList", "SpchkTerm", "TaskList", "Task", "AmpTaskList", "AmpTask",
    "PowerTaskList", "PowerTask", "VolumeTaskList", "VolumeTask", "BroadcastRegions",
    "Region", "SchemeList", "Scheme", "AmpSchemeList", "AmpScheme", "PowerSchemeList",
    "PowerScheme", "VolumeSchemeList", "VolumeScheme", "SwitchPowerList", "SwitchPower",
    "TerminalList", "UserList", "User", "DeletePlayTask", "DeleteAmpTask",
    "DeletePowerTask", "DeleteVolumeTask", "LevelList", "Level", "Login", "ServiceLogList",
    "Server", "ServerList", "TalkbackList", "Talkback", "TtsList", "TtsInfo",
    "PlanTaskList", "PlanTask", "DeletePlanTask", "MicGroupList", "MicGroup",
};
constexpr int kListCount = static_cast<int>(sizeof kListNames / sizeof kListNames[0]);
static_assert(kListCount == OvMsgCheck::NotRecognised, "list-name table out of step");

} // namespace

int OvMsgCheck::classifyBody(const QByteArray &text)
{
    const int first = text.indexOf('<');
    if (first < 0)
        return NotRecognised;
    const int second = text.indexOf('<', first + 1);
    if (second < 0)
        return NotRecognised;
    int end = second + 1;
    while (end < text.size()) {
        const char c = text.at(end);
        if (c == ' ' || c == '/' || c == '>')
            break;
        ++end;
    }
    const char *name = text.constData() + second + 1;
    const size_t length = static_cast<size_t>(end - second - 1);
    for (int i = 0; i < kListCount; ++i) {
        if (std::strlen(kListNames[i]) == length && std::memcmp(kListNames[i], name, length) == 0)
            return i;
    }
    return NotRecognised;
}

const char *OvMsgCheck::listName(int index)
{
    return index >= 0 && index < kListCount ? kListNames[index] : "";
}
