#pragma once

#include "commands/CommandOutcome.h"
#include "commands/CommandTable.h"

class DbpMessage;
class SimDatabase;

// The commands that are more than storing members (those are in SetterTable);
// CommandTable maps packet types onto them.
namespace CommandHandlers {

using Handler = CommandOutcome (*)(SimDatabase &, const CommandSettings &, const DbpMessage &);

CommandOutcome ipAmpSpkCheck(SimDatabase &, const CommandSettings &, const DbpMessage &);
CommandOutcome setFRTrigger(SimDatabase &, const CommandSettings &, const DbpMessage &);
CommandOutcome removeDevice(SimDatabase &, const CommandSettings &, const DbpMessage &);

CommandOutcome m35CallBook(SimDatabase &, const CommandSettings &, const DbpMessage &);
CommandOutcome m35CallTransfer(SimDatabase &, const CommandSettings &, const DbpMessage &);
CommandOutcome m35MonitorBook(SimDatabase &, const CommandSettings &, const DbpMessage &);
CommandOutcome m35SoundSource(SimDatabase &, const CommandSettings &, const DbpMessage &);
CommandOutcome m35BroadBook(SimDatabase &, const CommandSettings &, const DbpMessage &);
CommandOutcome m26ButtonCall(SimDatabase &, const CommandSettings &, const DbpMessage &);
CommandOutcome m48ButtonCall(SimDatabase &, const CommandSettings &, const DbpMessage &);

CommandOutcome soundSource(SimDatabase &, const CommandSettings &, const DbpMessage &);
CommandOutcome soundSourceSwitch(SimDatabase &, const CommandSettings &, const DbpMessage &);
CommandOutcome timerPlan(SimDatabase &, const CommandSettings &, const DbpMessage &);
CommandOutcome callService(SimDatabase &, const CommandSettings &, const DbpMessage &);
CommandOutcome broadRegion(SimDatabase &, const CommandSettings &, const DbpMessage &);
CommandOutcome systemParameter(SimDatabase &, const CommandSettings &, const DbpMessage &);
CommandOutcome modTalkManagerInfo(SimDatabase &, const CommandSettings &, const DbpMessage &);
CommandOutcome dataBackup(SimDatabase &, const CommandSettings &, const DbpMessage &);
CommandOutcome dataRecovery(SimDatabase &, const CommandSettings &, const DbpMessage &);

} // namespace CommandHandlers
