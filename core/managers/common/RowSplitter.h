#pragma once

#include <QByteArray>

#include <json/value.h>

#include <functional>

namespace rows {

// Walks the rows of a list body (a JSON array of objects), in order, calling
// `visit` for each. Rows are parsed in batches of a few hundred, so a list of
// 100,000 rows never exists as one document tree. Returns false when the body is not such
// an array (not JSON, another top-level value, an element that is not an
// object, text after the array). Rows before a broken batch may already have
// been visited: callers keep what they built only on true, so a broken body
// yields no rows at all, never part of them.
bool forEachRow(const QByteArray &body, const std::function<void(const Json::Value &row)> &visit);

} // namespace rows
