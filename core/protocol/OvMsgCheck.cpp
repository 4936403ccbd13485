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

namespace {

int indexOfName(const char *name, size_t length)
{
    for (int i = 0; i < kListCount; ++i) {
        if (std::strlen(kListNames[i]) == length && std::memcmp(kListNames[i], name, length) == 0)
            return i;
    }
    return OvMsgCheck::NotRecognised;
}

} // namespace

int OvMsgCheck::classifyDocument(const QByteArray &text)
{
    int at = 0;
    const int size = text.size();
    while (at < size) {
        const char c = text.at(at);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++at;
            continue;
        }
        if (c != '<')
            return NotRecognised;
        const auto opens = [&](const char *prefix) {
            const int n = static_cast<int>(std::strlen(prefix));
            return at + n <= size && std::memcmp(text.constData() + at, prefix, static_cast<size_t>(n)) == 0;
        };
        const auto past = [&](const char *closing, int from) {
            const int found = text.indexOf(closing, from);
            return found < 0 ? -1 : found + static_cast<int>(std::strlen(closing));
        };
        int skipTo = 0;
        if (opens("<?"))
            skipTo = past("?>", at + 2);
        else if (opens("<!--"))
            skipTo = past("-->", at + 4);
        else if (opens("<!"))
            skipTo = past(">", at + 2);
        if (skipTo == 0) {
            int end = at + 1;
            while (end < size) {
                const char n = text.at(end);
                if (n == ' ' || n == '/' || n == '>' || n == '\t' || n == '\r' || n == '\n')
                    break;
                ++end;
            }
            return indexOfName(text.constData() + at + 1, static_cast<size_t>(end - at - 1));
        }
        if (skipTo < 0)  // an unterminated declaration or comment
            return NotRecognised;
        at = skipTo;
    }
    return NotRecognised;
}

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
    return indexOfName(text.constData() + second + 1, static_cast<size_t>(end - second - 1));
}

const char *OvMsgCheck::listName(int index)
{
    return index >= 0 && index < kListCount ? kListNames[index] : "";
}
