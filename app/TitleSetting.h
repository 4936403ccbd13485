#pragma once

#include <QString>

// The console's title under "Setting/Title" in "config.ini", read and
// written whole as UTF-8 (a Chinese title with blanks must survive the round
// trip) through the file's one writer (config/ConfigFile.h).
namespace titlesetting {

inline const QString kDefaultTitle = QStringLiteral("管理中心");

// The stored title; empty when the key or the file is missing.
QString read(const QString &iniPath);
// False when the file could not be written; the old file is then intact.
bool write(const QString &iniPath, const QString &title);

} // namespace titlesetting
