#pragma once

#include "managers/common/TermEvent.h"
#include "managers/tts/OvTts.h"

class OvManageCenter;

// The centre's operations for the TTS boxes (removal is centreRemoveDevice).
// -1 when the centre or the manager is missing.
int centreSetTtsCallback(OvManageCenter *centre, TermEventCallback<OvTts> callback);
int centreTtsList(OvManageCenter *centre);
int centreTtsRename(OvManageCenter *centre, int id, const QByteArray &name);
