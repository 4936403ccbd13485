#include "managers/m37/OvM37.h"

#include "managers/common/RowFields.h"

OvM37 OvM37::fromRow(const Json::Value &row)
{
    OvM37 m;
    m.id = rows::integer(row, "terminalId");
    m.status = rows::integer(row, "status");
    m.work = rows::text(row, "work");
    m.name = rows::text(row, "name");
    if (m.name.isEmpty())
        m.name = "M37_" + QByteArray::number(m.id);
    m.type = rows::text(row, "type");
    m.ver = rows::text(row, "ver");
    m.ip = rows::text(row, "ip");
    return m;
}
