#pragma once

#include "managers/callstations/OvCallStationManage.h"

// The data manager of the M48 LED call stations (dispatch slot 12, delete type "M48").
class OvM48Manage final : public OvCallStationManage
{
public:
    enum Code : int {
        ListCode = 238,
        SettingsCode = 241,  // ModTalkTerminal and IpAmpSet; also the event of one changed station
        DeletedEvent = 242,
        ButtonCallsCode = 243,
        LedCode = 244,       // ModM48Led and the button-call commit
    };

    OvM48Manage();

    // IpAmpSet: "BroVol", "Id", "Name".
    QByteArray buildNameAndVolume(int cseq, const OvMic &station);
    // ModM48Led: "DisplayTime", "Id", "LedColor", "LedTxt", "SwitchMode".
    QByteArray buildLed(int cseq, const OvMic &station);
    // M48ButtonCall: "Action" Mod, "CallServiceGroup", "Id", "Mic35", "StartCall", "StopCall".
    QByteArray buildCommitButtonCall(int cseq, int stationId, const OvMicBtnCall &call);
};
