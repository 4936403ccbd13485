#pragma once

#include "db/JsonRows.h"

#include <QByteArray>

class DbpMessage;
class SimDatabase;

// The GET requests that read the installation: SqlConfig lists and Data/Id details.
namespace ListRequests {

// Runs the body's SQL read-only. The answer is bounded by limits (rows and bytes);
// a larger answer is refused rather than cut, so a console never takes a partial
// list for the whole one.
JsonRows::Result sqlConfig(SimDatabase &db, const DbpMessage &request, const JsonRows::Limits &limits);

// "Data: Mic" with "Id: N": the microphone's row as a "MicList" XML document.
// Empty result (and reason) when refused.
QByteArray details(SimDatabase &db, const DbpMessage &request, QByteArray *reason);

} // namespace ListRequests
