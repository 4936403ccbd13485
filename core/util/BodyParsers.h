#pragma once

#include <QByteArray>

#include <json/value.h>
#include <tinyxml2.h>

// The one way DBP bodies are read and written. Hostile bodies (deep nesting,
// garbage) read as "does not parse"; nothing here throws or crashes.
namespace body {

// Parses a JSON text. Returns false (and leaves `out` null) when the text
// does not parse, including when the parser gives up on excessive nesting.
bool parseJson(const char *text, qsizetype length, Json::Value &out);
inline bool parseJson(const QByteArray &text, Json::Value &out)
{
    return parseJson(text.constData(), text.size(), out);
}

// The same for a text that must be strict JSON (RFC 8259): no trailing
// commas, only blanks after the value; a repeated member keeps its last
// value. JsonCpp still lets a comment follow a value, and ends the text at a
// zero byte between tokens: callers that must refuse those check themselves.
bool parseStrictJson(const char *text, qsizetype length, Json::Value &out);

// Parses an XML text into `doc`. Returns false when it is not well-formed
// (TinyXML-2 also refuses documents nested deeper than its limit).
bool parseXml(const QByteArray &text, tinyxml2::XMLDocument &doc);

// Writes a JSON value the way every console body is written: compact, members
// in ascending byte order of their names, UTF-8 unescaped, a final LF.
QByteArray writeJson(const Json::Value &value);

// The text of a member that should hold a string; numbers and booleans are
// taken as their text, anything else (or a missing member) gives empty.
QByteArray memberText(const Json::Value &object, const char *name);

} // namespace body
