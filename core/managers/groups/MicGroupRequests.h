#pragma once

#include "managers/common/EditRule.h"
#include "managers/common/TermEvent.h"
#include "managers/groups/MicGroup.h"

class OvManageCenter;

// The centre's operations for the microphone groups; -1 when the centre or
// the manager is missing.
int centreSetMicGroupCallback(OvManageCenter *centre, TermEventCallback<MicGroup> callback);
int centreMicGroupList(OvManageCenter *centre);
int centreMicGroupEdit(OvManageCenter *centre, const MicGroup &group, EditAction action);
