#pragma once

#include "managers/serverconfig/OvServerConfigManage.h"

class OvManageCenter;

// The centre's two operations of the family: a configuration query (174,
// 178) and a configuration change (173 to 182). Each returns the request's
// result, or -1 when the centre or the manager is missing or the code is
// not one of the family's.
int centreConfigQuery(OvManageCenter *centre, int code);
int centreConfigChange(OvManageCenter *centre, const ConfigRequest &request);
int centreSetConfigCallback(OvManageCenter *centre, OvServerConfigManage::ResultCallback callback);
