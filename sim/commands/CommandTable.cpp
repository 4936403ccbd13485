#include "commands/CommandTable.h"

#include "commands/CommandHandlers.h"
#include "commands/SetterTable.h"
#include "db/SimDatabase.h"
#include "wire/DbpMessage.h"

#include <QHash>

namespace CommandTable {

namespace {

// The commands that only store members are entries of SetterTable; these are the others.
const QHash<QByteArray, CommandHandlers::Handler> &handlers()
{
    using namespace CommandHandlers;
    static const QHash<QByteArray, Handler> table = {
        {"IpAmpSpkCheck", ipAmpSpkCheck},     {"SetFRTrigger", setFRTrigger},
        {"RemoveDevice", removeDevice},       {"M35CallBook", m35CallBook},
        {"M35CallTransfer", m35CallTransfer},
        {"M35MonitorBook", m35MonitorBook},
        {"M35SoundSource", m35SoundSource},   {"M35BroadBook", m35BroadBook},
        {"M26ButtonCall", m26ButtonCall},     {"M48ButtonCall", m48ButtonCall},
        {"SoundSource", soundSource},         {"SoundSourceSwitch", soundSourceSwitch},
        {"TimerPlan", timerPlan},
        {"CallService", callService},
        {"BroadRegion", broadRegion},
        {"SystemParameter", systemParameter}, {"ModTalkManagerInfo", modTalkManagerInfo},
        {"DataBackup", dataBackup},           {"DataRecovery", dataRecovery},
    };
    return table;
}

} // namespace

bool knows(const QByteArray &key)
{
    return SetterTable::find(key) || handlers().contains(key);
}

CommandOutcome run(SimDatabase &db, const CommandSettings &settings, const DbpMessage &request)
{
    if (const SetterTable::Setter *setter = SetterTable::find(request.key()))
        return SetterTable::run(*setter, db, request);
    const auto handler = handlers().value(request.key());
    if (!handler)
        return CommandOutcome::refuse("unknown command " + request.key());
    return handler(db, settings, request);
}

} // namespace CommandTable
