#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>

// The checks the system-setting screen applies before anything reaches the
// server, and the rules of the backup and restore files. Pure functions.
namespace settingchecks {

constexpr qint64 kRestoreSizeLimit = 1073741824; // 1,024 MiB; exactly this passes
constexpr int kRestoreNameLimit = 128;           // bytes of UTF-8
constexpr int kMinVadTimeout = 300;

// A server address as the parameter table stores it: an IPv4 address or a
// host name (letters, digits, "-" and "." in labels). Never with ":", which
// separates the port in the stored value.
bool isServerHost(const QString &host);
// A port text: digits only, 1 to 65535. An empty text gives defaultPort.
std::optional<int> serverPort(const QString &text, int defaultPort);

// The silence time-out: a decimal integer, blanks around it allowed, no
// sign, no trailing text, within the 32-bit range. nullopt otherwise.
std::optional<int> vadTimeout(const QString &text);

// "OVN_" + date as yyyy-MM-dd + ".backup".
QString backupFileName(const QDate &day);

enum class RestoreCheck { Ok, NameTooLong, ForbiddenCharacter, TooLarge, Unreadable };
// The restore rules for a file name (without directory) and its size.
RestoreCheck checkRestore(const QString &fileName, qint64 size);

// A file name the server hands over, before it becomes part of a local
// path: one plain name, no directory part, no drive, no control character.
bool isSafeServerFileName(const QString &name);

// Two MD5 digests in hexadecimal are the same digest whatever the case of
// their letters; anything but 32 hexadecimal digits never matches.
bool sameDigest(const QByteArray &a, const QByteArray &b);

} // namespace settingchecks
