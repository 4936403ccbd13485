#pragma once

#include "managers/common/TermEvent.h"
#include "managers/firealarm/FAlarmTrigger.h"
#include "managers/firealarm/OvFAlarm.h"

class OvManageCenter;

// The centre's operations for the fire-alarm interfaces (removal is
// centreRemoveDevice). -1 when the centre or the manager is missing.
int centreSetFAlarmCallback(OvManageCenter *centre, TermEventCallback<OvFAlarm> callback);
int centreFAlarmList(OvManageCenter *centre);
int centreFAlarmSetName(OvManageCenter *centre, const OvFAlarm &alarm);
int centreFAlarmSetTrigger(OvManageCenter *centre, const FAlarmTrigger &trigger);
