#pragma once

#include <QString>

// The local file name of a call recording named by a log row: the text after
// the server path's last "/". The path comes from the log database, so a
// name that is not one plain file name (empty, "." or "..", a "\", a control
// character, a NUL) is refused: empty result.
QString recordingFileName(const QString &serverPath);
