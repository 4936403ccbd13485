#pragma once

#include <QByteArray>

// One channel binding as the console sends it ("SetFRTrigger").
struct FAlarmTrigger
{
    int id = 0;             // "Id": the interface
    QByteArray channelName; // "ChannelName"
    int channel = 0;        // "Channel": from 1
    int sourceId = 0;       // "SourceId": the bound task; 0 unbinds the channel
    int triggerSwitch = 1;  // "TriggerSwitch"
    int stopPlay = 0;       // "StopPlay"
};
