#pragma once

#include "managers/common/TermEvent.h"
#include "managers/mic/MicBookEntry.h"
#include "managers/mic/OvMic.h"

#include <QByteArray>

class OvManageCenter;

// The centre's operations for the M35 paging microphones. Each returns the
// waiting request's result, or -1 when the centre or the manager is missing
// (or the code names no such request).
int centreSetMicCallbacks(OvManageCenter *centre, TermEventCallback<OvMic> mics,
                          TermEventCallback<MicBookEntry> books);
int centreMicList(OvManageCenter *centre);
int centreMicDetails(OvManageCenter *centre, int id);
int centreMicSettings(OvManageCenter *centre, const OvMic &mic);
// A book fetch: 266, 269 (id unused), 270, 272, 274, 276.
int centreMicBook(OvManageCenter *centre, int code, int id);
// A book commit: 268, 271, 273, 275, 277.
int centreMicBookCommit(OvManageCenter *centre, int code, int id, const QByteArray &listText);
