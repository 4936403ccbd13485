#pragma once

#include "managers/callstations/OvCallStationManage.h"

// The data manager of the M26 call stations (dispatch slot 11, delete type "M26").
class OvM26Manage final : public OvCallStationManage
{
public:
    enum Code : int {
        ListCode = 228,
        SettingsCode = 231,  // also the event of one changed station
        DeletedEvent = 232,
        ButtonCallsCode = 233,
        CommitButtonCallsCode = 235,
    };

    OvM26Manage();

    // "M26ButtonCall": "ButtonCalls" holds every record but the last, and the
    // last becomes "AlarmCall" (its startCall, a blank, its stopCall) when
    // there are more than three; with three or fewer all go to "ButtonCalls".
    QByteArray buildCommitButtonCalls(int cseq, int stationId, const std::vector<OvMicBtnCall> &calls);
};
