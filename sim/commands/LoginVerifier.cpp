#include "commands/LoginVerifier.h"

#include "db/SimDatabase.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageAuthenticationCode>

namespace LoginVerifier {

QByteArray hmacSha1Hex(const QByteArray &key, const QByteArray &message)
{
    return QMessageAuthenticationCode::hash(message, key, QCryptographicHash::Sha1).toHex();
}

QByteArray loginMessage(const QByteArray &user, const QByteArray &password, const QByteArray &time)
{
    return "Name$" + user + "$PassWord$" + password + "$Time$" + time;
}

Outcome verify(SimDatabase &db, const QByteArray &body)
{
    Outcome o;
    const QJsonDocument doc = QJsonDocument::fromJson(body);
    if (!doc.isObject()) {
        o.reason = "login body is not a JSON object";
        return o;
    }
    const QJsonObject obj = doc.object();
    o.user = obj.value("Name").toString().toUtf8();
    const QByteArray digest = obj.value("PassWord").toString().toLatin1().toLower();
    const QByteArray time = obj.value("Time").toString().toUtf8();
    if (o.user.isEmpty() || digest.isEmpty() || time.isEmpty()) {
        o.reason = "Name, PassWord and Time are required";
        return o;
    }
    const auto stored = db.value("select password from users where name = ?", {QString::fromUtf8(o.user)});
    if (!stored) {
        o.reason = "unknown user or wrong password";
        return o;
    }
    const QByteArray expected = hmacSha1Hex(*stored, loginMessage(o.user, *stored, time));
    o.ok = expected == digest;
    if (!o.ok)
        o.reason = "unknown user or wrong password";
    return o;
}

} // namespace LoginVerifier
