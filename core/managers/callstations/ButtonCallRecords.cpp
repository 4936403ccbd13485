#include "managers/callstations/ButtonCallRecords.h"

namespace callstations {

namespace {

OvMicBtnCall record(int stationId, const char *start, const char *stop, const Callee &callee)
{
    OvMicBtnCall c;
    c.terminalId = stationId;
    c.startCall = start;
    c.stopCall = stop;
    c.mic35Id = callee.mic35Id;
    c.groupId = callee.groupId;
    return c;
}

} // namespace

std::vector<OvMicBtnCall> m26CommitRecords(int stationId, const std::array<Callee, 3> &buttons, bool backupOn)
{
    return {
        record(stationId, "ButtonPopUp", "ButtonLongPress", buttons[0]),
        record(stationId, "AlarmShortPress", "AlarmLongPress", buttons[1]),
        record(stationId, "Alarm2ShortPress", "Alarm2LongPress", buttons[2]),
        backupOn ? record(stationId, "BackupShortPress", "BackupLongPress", Callee())
                 : record(stationId, "", "", Callee()),
    };
}

OvMicBtnCall m48CommitRecord(int stationId, const Callee &callee)
{
    return record(stationId, "ButtonPushDown", "ButtonLongPress", callee);
}

} // namespace callstations
