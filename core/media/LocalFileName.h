// The one gate through which a name supplied by the server (a listing
// entry, the backup file name, a recording name) becomes the name of a file
// on this PC. The server's text is not trusted to stay inside the directory
// the operator chose.
#pragma once

#include <QString>

namespace LocalFileName {

// The text after the last "/" or "\"; an empty text when that is refused:
// empty, "." or "..", or holding ":" (a drive or a stream name elsewhere)
// or a control character (U+0000 to U+001F, U+007F). Callers report an
// empty result with the message of their own operation.
QString fromServerName(const QString &serverName);

} // namespace LocalFileName
