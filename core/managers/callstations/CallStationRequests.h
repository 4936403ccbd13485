#pragma once

#include "managers/callstations/OvMicBtnCall.h"
#include "managers/common/TermEvent.h"
#include "managers/mic/OvMic.h"

#include <vector>

class OvManageCenter;

// The centre's operations for the M26 and M48 call stations. Each returns the
// waiting request's result, or -1 when the centre or the manager is missing.
int centreSetM26Callbacks(OvManageCenter *centre, TermEventCallback<OvMic> stations,
                          TermEventCallback<OvMicBtnCall> buttonCalls);
int centreM26List(OvManageCenter *centre);
int centreM26ButtonCalls(OvManageCenter *centre, int stationId);
int centreM26Settings(OvManageCenter *centre, const OvMic &station);
int centreM26CommitButtonCalls(OvManageCenter *centre, int stationId, const std::vector<OvMicBtnCall> &calls);

int centreSetM48Callbacks(OvManageCenter *centre, TermEventCallback<OvMic> stations,
                          TermEventCallback<OvMicBtnCall> buttonCalls);
int centreM48List(OvManageCenter *centre);
int centreM48ButtonCalls(OvManageCenter *centre, int stationId);
int centreM48Settings(OvManageCenter *centre, const OvMic &station);
int centreM48NameAndVolume(OvManageCenter *centre, const OvMic &station);
int centreM48Led(OvManageCenter *centre, const OvMic &station);
int centreM48CommitButtonCall(OvManageCenter *centre, int stationId, const OvMicBtnCall &call);
