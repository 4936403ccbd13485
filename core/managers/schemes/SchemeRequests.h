#pragma once

#include "managers/schemes/OvSchemeManage.h"

class OvManageCenter;

// The centre's operations for the timer schemes: -1 when the centre or the
// manager is missing or the family is outside 0 to 3.
int centreSetSchemeCallbacks(OvManageCenter *centre, OvSchemeManage::Callbacks callbacks);
int centreSchemeList(OvManageCenter *centre, int family);
int centreSchemeAdd(OvManageCenter *centre, const OvScheme &scheme, int family);
int centreSchemeModify(OvManageCenter *centre, const OvScheme &scheme, int family);
int centreSchemeDelete(OvManageCenter *centre, const OvScheme &scheme, int family);
