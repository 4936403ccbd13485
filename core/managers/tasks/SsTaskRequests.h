#pragma once

#include "managers/common/TermEvent.h"
#include "managers/tasks/SoundSourceTask.h"

class OvManageCenter;

// The centre's operations for the sound-source tasks; -1 when the centre or
// the manager is missing (or the action is unknown).
int centreSetSsTaskCallback(OvManageCenter *centre, TermEventCallback<SoundSourceTask> callback);
int centreSsTaskList(OvManageCenter *centre);
// Action: 0 Add, 1 Mod, 2 Del, 3 Start, 4 Stop (request code 249 + action).
int centreSsTaskEdit(OvManageCenter *centre, const SoundSourceTask &task, int action);
