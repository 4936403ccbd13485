#pragma once

#include "managers/capture/OvCapManage.h"

class OvManageCenter;

// The centre's operations for the capture boxes (removal is
// centreRemoveDevice). -1 when the centre or the manager is missing.
int centreSetCapCallbacks(OvManageCenter *centre, OvCapManage::ListCallback list,
                          OvBaseMgr::DeleteCallback deleted, OvCapManage::ChangeCallback changed);
int centreCapList(OvManageCenter *centre);
int centreCapSettings(OvManageCenter *centre, const OvCap &cap);
