#include "media/MediaAnswer.h"

#include <QJsonDocument>
#include <QJsonParseError>

namespace MediaAnswer {

Frame findHeader(const QByteArray &buf, int cap, int *headerSize)
{
    const int at = buf.indexOf(terminator());
    if (at >= 0 && at + terminator().size() <= cap) {
        if (headerSize)
            *headerSize = at + terminator().size();
        return Frame::Complete;
    }
    return buf.size() >= cap ? Frame::TooLarge : Frame::Incomplete;
}

std::optional<QJsonObject> parseObject(const QByteArray &json)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    return doc.object();
}

QString text(const QJsonObject &o, const char *key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isString() ? v.toString() : QString();
}

qint64 number(const QJsonObject &o, const char *key)
{
    bool ok = false;
    const qint64 n = text(o, key).trimmed().toLongLong(&ok);
    return ok ? n : 0;
}

} // namespace MediaAnswer
