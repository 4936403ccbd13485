#include "managers/callstations/OvMicBtnCall.h"

#include "managers/common/RowFields.h"

OvMicBtnCall OvMicBtnCall::fromRow(const Json::Value &row)
{
    OvMicBtnCall c;
    c.terminalId = rows::integer(row, "terminalId");
    c.startCall = rows::text(row, "startCall");
    c.stopCall = rows::text(row, "stopCall");
    c.mic35Id = rows::integer(row, "mic35Id");
    c.groupId = rows::integer(row, "groupId");
    return c;
}
