#include "protocol/LoginDigest.h"

#include "util/BodyParsers.h"

#include <QMessageAuthenticationCode>

namespace logindigest {

QByteArray timeText(const QDateTime &localTime)
{
    return localTime.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")).toLatin1();
}

QByteArray hmacSha1Hex(const QByteArray &key, const QByteArray &message)
{
    return QMessageAuthenticationCode::hash(message, key, QCryptographicHash::Sha1).toHex();
}

QByteArray digest(const QByteArray &user, const QByteArray &password, const QByteArray &time)
{
    const QByteArray message = "Name$" + user + "$PassWord$" + password + "$Time$" + time;
    return hmacSha1Hex(password, message);
}

QByteArray loginBody(const QByteArray &user, const QByteArray &password, const QByteArray &time)
{
    Json::Value root(Json::objectValue);
    root["Name"] = user.toStdString();
    root["PassWord"] = digest(user, password, time).toStdString();
    root["Time"] = time.toStdString();
    return body::writeJson(root);
}

} // namespace logindigest
