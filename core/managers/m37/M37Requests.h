#pragma once

#include "managers/common/TermEvent.h"
#include "managers/m37/OvM37.h"

class OvManageCenter;

// The centre's operations for the M37 mobile devices (removal is
// centreRemoveDevice). -1 when the centre or the manager is missing.
int centreSetM37Callback(OvManageCenter *centre, TermEventCallback<OvM37> callback);
int centreM37List(OvManageCenter *centre);
