#pragma once

#include "config/IniStore.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// "config.ini" has one writer. Every change reads the file anew, edits only
// the keys it names and replaces the file whole (a temporary file renamed
// over it), all under one process-wide lock; so a copy read earlier (at
// start-up, by the login dialog) is never written back over values another
// part of the console has stored since, and an interrupted write leaves the
// old file intact. Reads go to the file too.
namespace configfile {

// The login keys' reading: the value ends at the first blank.
std::optional<QByteArray> value(const QString &path, const QByteArray &section, const QByteArray &key);

// A whole value read as UTF-8, blanks inside it included ("Title",
// "MediaLastFilePath", "LogLastFilePath"); blanks around it are not kept.
std::optional<QString> text(const QString &path, const QByteArray &section, const QByteArray &key);

// Reads the file (a missing one is empty), lets `change` edit the store and
// writes it back when `change` returns true. True when the file was written.
bool update(const QString &path, const std::function<bool(IniStore &store)> &change);

// Stores one whole value as UTF-8 (through update). A value with a line
// break cannot be kept in one line: refused, false, the file unchanged.
bool writeText(const QString &path, const QByteArray &section, const QByteArray &key, const QString &value);

} // namespace configfile
