#pragma once

#include "managers/callstations/OvMicBtnCall.h"

#include <array>
#include <vector>

// The button-call records a station's commit is built from; the settings
// dialog supplies whom each button calls.
namespace callstations {

struct Callee
{
    int mic35Id = 0;
    int groupId = 0;
};

// The M26's four records: main button, alarm button, second alarm button,
// then the backup entry ("BackupShortPress" / "BackupLongPress" when the
// backup choice is on, two empty texts when off; it calls nobody).
std::vector<OvMicBtnCall> m26CommitRecords(int stationId, const std::array<Callee, 3> &buttons, bool backupOn);
// The M48's one record: "ButtonPushDown" / "ButtonLongPress".
OvMicBtnCall m48CommitRecord(int stationId, const Callee &callee);

} // namespace callstations
