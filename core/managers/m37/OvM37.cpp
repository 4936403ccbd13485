#include "managers/m37/OvM37.h"

#include "managers/common/RowFields.h"

OvM37 OvM37::fromRow(const Json::Value &row)
{
    OvM37 m;
    m.readBaseFields(row);
    m.work = rows::text(row, "work");
    if (m.name.isEmpty())
        m.name = "M37_" + QByteArray::number(m.id);
    m.ver = rows::text(row, "ver");
    return m;
}
