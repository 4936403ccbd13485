#pragma once

#include <QByteArray>
#include <QMetaType>

#include <json/value.h>

// One button binding of a call station: which button actions start and end
// the call, and whom it calls (a microphone or mobile device, or a
// call-service group; 0 = none).
struct OvMicBtnCall
{
    int terminalId = 0;   // "terminalId": the station
    int mic35Id = 0;      // "mic35Id"
    int groupId = 0;      // "groupId"
    QByteArray startCall; // "startCall": e.g. "ButtonPopUp", "AlarmShortPress", "ButtonPushDown"
    QByteArray stopCall;  // "stopCall": e.g. "ButtonLongPress", "AlarmLongPress"

    static OvMicBtnCall fromRow(const Json::Value &row);
};
Q_DECLARE_METATYPE(OvMicBtnCall)
