#include "managers/regions/OvRegion.h"

#include "managers/common/MemberIds.h"
#include "managers/common/RowFields.h"

OvRegion::~OvRegion() = default;

std::vector<int> OvRegion::memberIds() const
{
    std::vector<int> ids;
    ids.reserve(members.size());
    for (const OvBaseTerminal &m : members)
        ids.push_back(m.id);
    return ids;
}

void OvRegion::setMemberIds(const std::vector<int> &ids)
{
    members.clear();
    members.reserve(ids.size());
    for (const int memberId : ids) {
        OvBaseTerminal member;
        member.id = memberId;
        members.push_back(std::move(member));
    }
}

OvRegion OvRegion::fromRow(const Json::Value &row)
{
    OvRegion r;
    r.id = rows::integer(row, "regionId");
    r.name = rows::text(row, "name");
    r.setMemberIds(members::parseIds(rows::text(row, "terminalId")));
    return r;
}
