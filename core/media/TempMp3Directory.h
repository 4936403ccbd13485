// The working directory's "./temp_mp3/", where converted uploads wait for
// their transfer.
#pragma once

#include <QString>

namespace TempMp3Directory {

inline QString path() { return QStringLiteral("./temp_mp3/"); }

// Deletes every entry inside the directory and creates it when missing.
// Returns false when the directory cannot be created.
bool prepare(const QString &dir = path());

} // namespace TempMp3Directory
