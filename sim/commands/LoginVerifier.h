#pragma once

#include <QByteArray>

class SimDatabase;

// Checks a "TalkManagerLogin" body. The console never sends its password: it
// sends HMAC-SHA1 of "Name$<user>$PassWord$<password>$Time$<time>" keyed by the
// password, which the server recomputes from the stored password.
namespace LoginVerifier {

QByteArray hmacSha1Hex(const QByteArray &key, const QByteArray &message);
QByteArray loginMessage(const QByteArray &user, const QByteArray &password, const QByteArray &time);

struct Outcome {
    bool ok = false;
    QByteArray user;
    QByteArray reason;
};
Outcome verify(SimDatabase &db, const QByteArray &body);

} // namespace LoginVerifier
