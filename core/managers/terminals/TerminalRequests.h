#pragma once

#include "managers/common/RemoveDevice.h"
#include "managers/common/TermEvent.h"
#include "managers/terminals/OvTerminal.h"

#include <QByteArray>

class OvManageCenter;

// The centre's operations for the IP amplifier family, as free functions
// taking the centre first. Each returns the waiting request's result, or -1
// when the centre or the family's manager is missing.
int centreSetTerminalCallback(OvManageCenter *centre, TermEventCallback<OvTerminal> callback);
int centreTerminalList(OvManageCenter *centre);
int centreIpAmpSet(OvManageCenter *centre, int id, const QByteArray &name, int broVol);
int centreIpAmpPower(OvManageCenter *centre, int id, bool on);
int centreIpAmpSpkCheck(OvManageCenter *centre, int id);
int centrePlayTermConfig(OvManageCenter *centre, int id, int warnTemp, int fanTemp, int maxVol);
int centreTerminalSettings(OvManageCenter *centre, const OvTerminal &terminal);
