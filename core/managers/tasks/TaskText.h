#pragma once

#include <QByteArray>

// Small text rules shared by the task records.
namespace tasktext {

// The longest prefix of `text` of at most maxBytes bytes that ends on a whole
// UTF-8 character, so a Chinese name is never cut inside a character. Bytes
// that are not valid UTF-8 are counted as single characters.
QByteArray cutUtf8(const QByteArray &text, int maxBytes);

// The decimal value of the leading digits (blanks and a sign allowed), like
// atoll; no digits give 0. Values beyond 64 bits are clamped.
qint64 leadingDecimal(const char *text);

} // namespace tasktext
