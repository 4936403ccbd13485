#pragma once

#include "managers/common/OvBaseTerminal.h"

#include <QByteArray>
#include <QMetaType>

#include <json/value.h>

// An M37 mobile device (a row of the server's table "m37"). Status 0 is
// offline; any other value is shown as idle.
class OvM37 : public OvBaseTerminal
{
public:
    QByteArray work;  // "work": kept, not shown
    QByteArray ver;   // "ver"

    // An empty name becomes "M37_" and the id.
    static OvM37 fromRow(const Json::Value &row);
};
Q_DECLARE_METATYPE(OvM37)
