#include "managers/tts/OvTts.h"

#include "managers/common/RowFields.h"

OvTts OvTts::fromRow(const Json::Value &row)
{
    OvTts t;
    const QByteArray idText = rows::text(row, "terminalId");
    t.id = rows::decimalValue(idText);
    t.status = rows::integer(row, "status");
    t.name = rows::text(row, "name");
    if (t.name.isEmpty())
        t.name = idText;
    t.ver = rows::text(row, "ver");
    t.ip = rows::text(row, "ip");
    t.type = rows::text(row, "type");
    t.exten = rows::text(row, "exten");
    return t;
}
