#include "commands/CommandTable.h"

#include "commands/CommandHandlers.h"
#include "db/SimDatabase.h"
#include "wire/DbpMessage.h"

#include <QHash>

namespace CommandTable {

namespace {

const QHash<QByteArray, CommandHandlers::Handler> &handlers()
{
    using namespace CommandHandlers;
    static const QHash<QByteArray, Handler> table = {
        {"ModTalkTerminal", modTalkTerminal}, {"IpAmpSet", ipAmpSet},
        {"IpAmpPower", ipAmpPower},           {"IpAmpSpkCheck", ipAmpSpkCheck},
        {"PlayTermConfig", playTermConfig},   {"Terminal", terminal},
        {"ModM48Led", modM48Led},             {"CapM59Set", capM59Set},
        {"TTs83Name", tts83Name},             {"SetFRName", setFRName},
        {"SetFRTrigger", setFRTrigger},       {"RemoveDevice", removeDevice},
        {"M35CallBook", m35CallBook},         {"M35CallTransfer", m35CallTransfer},
        {"M35MonitorBook", m35MonitorBook},   {"M35SoundSource", m35SoundSource},
        {"M35BroadBook", m35BroadBook},       {"M26ButtonCall", m26ButtonCall},
        {"M48ButtonCall", m48ButtonCall},
    };
    return table;
}

} // namespace

bool knows(const QByteArray &key)
{
    return handlers().contains(key);
}

CommandOutcome run(SimDatabase &db, const CommandSettings &settings, const DbpMessage &request)
{
    const auto handler = handlers().value(request.key());
    if (!handler)
        return CommandOutcome::refuse("unknown command " + request.key());
    return handler(db, settings, request);
}

} // namespace CommandTable
