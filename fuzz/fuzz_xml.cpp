// The XML bodies the console reads: the permission levels pushed after a
// login ("LevelList") and a microphone's details ("MicList" / "Mic"), with
// the body recognition that routes them.
#include "FuzzSupport.h"

#include "managers/mic/OvMicManage.h"
#include "protocol/OvLevel.h"
#include "protocol/OvMsgCheck.h"

#include <algorithm>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzsupport::quietQtLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body = fuzzsupport::bytesFrom(data, size, 0);
    const int kind = OvMsgCheck::classifyBody(body);
    FUZZ_CHECK(kind >= 0 && kind <= OvMsgCheck::NotRecognised);
    if (kind != OvMsgCheck::NotRecognised)
        FUZZ_CHECK(OvMsgCheck::listName(kind) != nullptr);

    std::vector<OvLevel> levels;
    if (!readLevelList(body, levels))
        FUZZ_CHECK(levels.empty());
    std::stable_sort(levels.begin(), levels.end(), [](const OvLevel &a, const OvLevel &b) { return a.id < b.id; });
    for (const OvLevel &level : levels) {
        FUZZ_CHECK(level.copied().name.size() <= OvLevel::kMaxNameBytes);
        (void)level.toString();
    }
    for (int type : {int(OvLevel::AdvancedSettings), int(OvLevel::TerminalOperations), 1}) {
        const OvLevel *governing = levelForType(levels, type);
        FUZZ_CHECK(!governing || governing->type == type);
        for (int user : {0, 1, 10, 65535, -1}) {
            const bool allowed = levelAllows(levels, type, user);
            FUZZ_CHECK(!allowed || governing);
        }
    }

    OvMic mic;
    if (OvMicManage::parseDetails(body, mic)) {
        FUZZ_CHECK(mic.detailsLoaded);
        FUZZ_CHECK(!mic.name.isEmpty());
    }
    return 0;
}
