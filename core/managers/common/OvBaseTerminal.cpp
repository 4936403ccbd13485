#include "managers/common/OvBaseTerminal.h"

#include "managers/common/RowFields.h"

OvBaseTerminal::~OvBaseTerminal() = default;

void OvBaseTerminal::readBaseFields(const Json::Value &row)
{
    id = rows::integer(row, "terminalId");
    ip = rows::text(row, "ip");
    name = rows::text(row, "name");
    type = rows::text(row, "type");
    status = rows::integer(row, "status");
}
