#include "managers/groups/MicGroup.h"

#include "managers/common/MemberIds.h"
#include "managers/common/RowFields.h"

MicGroup MicGroup::fromRow(const Json::Value &row)
{
    MicGroup g;
    g.id = rows::integer(row, "groupId");
    g.name = rows::text(row, "name");
    g.ringRule = rows::integer(row, "callWaitRule");
    g.ringTime = rows::integer(row, "ringTime");
    g.members = members::parseIds(rows::text(row, "terminalId"));
    return g;
}
