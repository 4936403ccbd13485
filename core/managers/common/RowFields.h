#pragma once

#include <QByteArray>

#include <json/value.h>

// Reading the members of one list row (a JSON object whose values are texts)
// and writing the string values of request bodies.
namespace rows {

// The member's text; empty when missing or not a text.
QByteArray text(const Json::Value &row, const char *key);
// The member's text as a decimal integer, read like atoi: leading blanks and a
// sign allowed, the first non-digit ends the number, no digits give 0. Values
// outside the 32-bit range are clamped instead of overflowing.
int integer(const Json::Value &row, const char *key);
// True when integer() is non-zero.
bool flag(const Json::Value &row, const char *key);
// Whether the row carries the member at all.
bool has(const Json::Value &row, const char *key);

int decimalValue(const QByteArray &text);

// A JSON string holding exactly these bytes (embedded zero bytes included).
Json::Value jsonText(const QByteArray &bytes);

} // namespace rows
