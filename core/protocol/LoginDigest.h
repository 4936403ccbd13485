#pragma once

#include <QByteArray>
#include <QDateTime>

// The signed body of a "TalkManagerLogin" request. The password never goes
// on the wire; only the HMAC-SHA1 keyed by it does.
namespace logindigest {

// "yyyy-MM-dd hh:mm:ss" in local time.
QByteArray timeText(const QDateTime &localTime);

// HMAC-SHA1 (RFC 2104) as 40 lowercase hex digits.
QByteArray hmacSha1Hex(const QByteArray &key, const QByteArray &message);

// HMAC-SHA1 of "Name$<user>$PassWord$<password>$Time$<time>" keyed by the
// password, as 40 lowercase hex digits. No length bound on the texts.
QByteArray digest(const QByteArray &user, const QByteArray &password, const QByteArray &time);

// {"Name":user,"PassWord":digest,"Time":time} written compactly with a final LF.
QByteArray loginBody(const QByteArray &user, const QByteArray &password, const QByteArray &time);

} // namespace logindigest
