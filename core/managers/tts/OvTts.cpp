#include "managers/tts/OvTts.h"

#include "managers/common/RowFields.h"

OvTts OvTts::fromRow(const Json::Value &row)
{
    OvTts t;
    t.readBaseFields(row);
    if (t.name.isEmpty())
        t.name = rows::text(row, "terminalId");
    t.ver = rows::text(row, "ver");
    t.exten = rows::text(row, "exten");
    return t;
}
