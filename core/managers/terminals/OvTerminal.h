#pragma once

#include "managers/common/OvBaseTerminal.h"

#include <QByteArray>
#include <QMetaType>

#include <json/value.h>

// One IP amplifier or player terminal (a row of the server's table "ipamp").
class OvTerminal : public OvBaseTerminal
{
public:
    enum Status : int { Offline = 0, Idle = 1, Broadcasting = 2, MicBroadcast = 3, Warning = 4, Emergency = 5 };
    enum Speaker : int { OpenCircuit = 0, Pass = 1, ShortCircuit = 2, Checking = 3 };

    QByteArray work;          // "work": kept, not shown
    QByteArray exten;         // "exten": extended model code, "--" when none
    QByteArray ver;           // "ver"
    int broVol = 0;           // "broVol": playing volume 0..100
    bool power = false;       // "power": amplifier switched on
    int ampTemp = 0;          // "ampTemp", degrees Celsius
    int localTemp = 0;        // "localTemp", degrees Celsius
    int speaker = Pass;       // "speaker": loudspeaker line state
    bool input = false;       // "input"

    // Settings of the default-setting, firewall and amplifier-limits dialogs.
    // The console sends them with the "Terminal" and PlayTermConfig commands;
    // rows carry them back when the server keeps them, otherwise they keep
    // these initial values.
    int defaultVolumn = 0;        // "defaultVolumn"
    bool defaultPower = false;    // "defaultPower"
    bool isDefault = false;       // "isDefault"
    int warnTempThreshold = -1;   // "warnTempThreshold"; -1 = not set
    int fanTempThreshold = -1;    // "fanTempThreshold"; -1 = not set
    bool ampWarning = false;      // no row key
    int maxVol = -1;              // "maxVol"; -1 = not set
    bool transport_tcp = false;   // "transportTcp": talks TCP (firewall mode)
    int master_id = 0;            // "masterId": master of a slave terminal; 0 = none

    // Reads one row; an empty name becomes the "terminalId" text.
    static OvTerminal fromRow(const Json::Value &row);
    // An amplifier (temperature and loudspeaker supervision): type exactly "IP".
    bool isAmplifier() const { return type == "IP"; }

    QByteArray toString() const;
};
Q_DECLARE_METATYPE(OvTerminal)
