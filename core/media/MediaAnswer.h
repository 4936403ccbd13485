// Answers of the media file channel: a JSON object, the terminator CR LF CR
// LF and, for a download, the file bytes. Pure functions on bytes; the
// connection that owns the socket calls them.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace MediaAnswer {

inline const QByteArray &terminator()
{
    static const QByteArray t("\r\n\r\n");
    return t;
}

// An answer header larger than this is refused rather than buffered on.
constexpr int kHeaderCap = 64 * 1024;
// Listings of large directories are long, but not without limit.
constexpr int kListingCap = 32 * 1024 * 1024;

enum class Frame { Incomplete, Complete, TooLarge };

// Looks for the terminator in buf. On Complete, headerSize is the length of
// the JSON text plus the terminator; bytes after it belong to the body.
Frame findHeader(const QByteArray &buf, int cap, int *headerSize);

// The JSON object of a header (terminator excluded); nothing when the text
// does not parse or is not an object.
std::optional<QJsonObject> parseObject(const QByteArray &json);

// Every value of the channel is a JSON string; anything else reads as empty.
QString text(const QJsonObject &o, const char *key);
// Numbers travel as decimal digits inside a string; anything else reads as 0.
qint64 number(const QJsonObject &o, const char *key);

} // namespace MediaAnswer
