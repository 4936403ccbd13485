#pragma once

#include "managers/common/OvBaseTerminal.h"

#include <QByteArray>
#include <QMetaType>

#include <json/value.h>

// A text-to-speech box (a row of the server's table "tts83"). Status: 0 off
// line, 1 idle, 2 begin work, 3 working, 4 end work.
class OvTts : public OvBaseTerminal
{
public:
    QByteArray ver;    // "ver"
    QByteArray exten;  // "exten"

    // An empty name becomes the "terminalId" text.
    static OvTts fromRow(const Json::Value &row);
};
Q_DECLARE_METATYPE(OvTts)
