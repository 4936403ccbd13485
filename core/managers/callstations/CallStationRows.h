#pragma once

#include "managers/mic/OvMic.h"

#include <json/value.h>

// Rows of the call-station tables "Mic26" and "Mic48".
namespace callstations {

// An empty name becomes "M26_" and the id.
OvMic m26FromRow(const Json::Value &row);
// An empty name becomes exten "_" id, or "M48_" and the id when exten is "--".
OvMic m48FromRow(const Json::Value &row);

} // namespace callstations
