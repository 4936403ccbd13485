#pragma once

#include "managers/common/EditRule.h"
#include "managers/common/TermEvent.h"
#include "managers/regions/OvRegion.h"

class OvManageCenter;

// The centre's operations for the broadcast regions; -1 when the centre or
// the manager is missing.
int centreSetRegionCallback(OvManageCenter *centre, TermEventCallback<OvRegion> callback);
int centreRegionList(OvManageCenter *centre);
int centreRegionEdit(OvManageCenter *centre, const OvRegion &region, EditAction action);
