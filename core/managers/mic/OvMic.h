#pragma once

#include "managers/common/OvBaseTerminal.h"

#include <QByteArray>
#include <QMetaType>

#include <json/value.h>

// A talk terminal with a microphone: the M35 paging microphone (table
// "mic35") and the M26 and M48 call stations, which use the fields after
// pttMode. One record type, so books and screens treat them alike.
class OvMic : public OvBaseTerminal
{
public:
    QByteArray work;            // "work": kept, not shown
    QByteArray ver;             // "ver"
    QByteArray exten;           // "exten": extended model code, "--" when none
    int capVol = 0;             // "capVol": microphone volume 0..100
    int bellVol = 80;           // "bellVol"
    int callVol = 80;           // "callVol"
    int broVol = 80;            // "broVol"
    int pttMode = -1;           // "pttMode": 0 yes, 1 no, -1 not known (row without the member)
    bool detailsLoaded = false; // set by the details answer; a changed row clears it again

    // Call stations.
    int ppt = 0;                // "ppt", M26: push-to-talk in use when >= 1
    int aec = 0;                // "aec", M26: echo cancellation in use when >= 1
    int ledColor = 224;         // "ledColor", M48
    int switchMode = 1;         // "switchMode", M48: LED movement
    int displayTime = 5;        // "displayTime", M48
    QByteArray ledTxt;          // "ledTxt", M48

    // A row of the microphone list or of its change notification; an empty
    // name becomes "M35_" and the id.
    static OvMic fromMicRow(const Json::Value &row);
    // A row of the playing-terminal list ("terminalId", "name", "type",
    // "exten"); an empty name becomes exten "_" id, or type "_" id when exten
    // is "--" or empty.
    static OvMic fromPlayingRow(const Json::Value &row);

    QByteArray toString() const;
};
Q_DECLARE_METATYPE(OvMic)
