#pragma once

#include <QByteArray>
#include <QMetaType>

#include <json/value.h>

#include <vector>

// A call-service group (a row of the server's table "callservergroup"): M35
// paging microphones that answer calls together, rung by a rule for a time.
class MicGroup
{
public:
    // Ring rules 1 to 5.
    enum RingRule : int { AllRing = 1, RingLeastFirst, AnswerLeastFirst, TalkLeastFirst, FixedOrder };

    int id = -1;               // "groupId" / "Id"
    QByteArray name;           // "name" / "Name"
    int ringRule = AllRing;    // "callWaitRule" / "CallWaitRule"
    int ringTime = 60;         // "ringTime" / "RingTime", seconds
    std::vector<int> members;  // "terminalId" / "Mic35Id": microphone ids in ring order

    static MicGroup fromRow(const Json::Value &row);
};
Q_DECLARE_METATYPE(MicGroup)
