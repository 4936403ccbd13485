#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The process's arguments (program path included), copied once at start.
namespace commandline {

void setArguments(const QStringList &arguments);
const QStringList &arguments();

// The value of an option: absent when no argument equals `name` exactly; the
// following argument when there is one that does not begin with "-"; else empty.
std::optional<QString> commandLineValue(const QString &name);
std::optional<QString> commandLineValue(const QStringList &arguments, const QString &name);

} // namespace commandline

using commandline::commandLineValue;
