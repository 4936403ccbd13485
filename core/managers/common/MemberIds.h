#pragma once

#include <QByteArray>

#include <functional>
#include <vector>

// The member lists of groups and regions: on the wire the ids in decimal,
// one blank apart.
namespace members {

// Each blank-separated part read like atoi; empty parts (double blanks) skipped.
std::vector<int> parseIds(const QByteArray &text);
QByteArray joinIds(const std::vector<int> &ids);

// The members after an edit dialog: the members it did not list (not cached,
// or their list could not be fetched) stay untouched in their place, listed
// members stay in their old order while still checked, and newly checked ones
// follow in table order. An edit thus never reorders a fixed-order group or
// drops members the operator could not see.
std::vector<int> mergeEdited(const std::vector<int> &before, const std::function<bool(int id)> &listed,
                             const std::vector<int> &checkedInTableOrder);

} // namespace members
