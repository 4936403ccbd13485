#include "commands/CommandBody.h"

#include <QJsonDocument>

std::optional<CommandBody> CommandBody::parse(const QByteArray &body, QByteArray *reason)
{
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(body, &err);
    if (!doc.isObject()) {
        *reason = "body is not a JSON object";
        return std::nullopt;
    }
    CommandBody b;
    b.m_object = doc.object();
    return b;
}

std::optional<QByteArray> CommandBody::text(const char *name, QByteArray *reason) const
{
    const QJsonValue v = raw(name);
    if (v.isString())
        return v.toString().toUtf8();
    if (v.isDouble())
        return QByteArray::number(v.toDouble(), 'g', 17);
    *reason = QByteArray(name) + (v.isUndefined() ? " is missing" : " must be a string");
    return std::nullopt;
}

std::optional<QByteArray> CommandBody::nonEmptyText(const char *name, QByteArray *reason) const
{
    auto t = text(name, reason);
    if (t && t->trimmed().isEmpty()) {
        *reason = QByteArray(name) + " must not be empty";
        return std::nullopt;
    }
    return t;
}

std::optional<qint64> CommandBody::parseInteger(const QByteArray &text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(v) : std::nullopt;
}

std::optional<qint64> CommandBody::inRange(const QByteArray &text, const char *name, qint64 min, qint64 max,
                                           QByteArray *reason)
{
    const auto v = parseInteger(text);
    if (!v || *v < min || *v > max) {
        *reason = QByteArray(name) + " must be a number from " + QByteArray::number(min) + " to "
            + QByteArray::number(max);
        return std::nullopt;
    }
    return v;
}

std::optional<qint64> CommandBody::integer(const char *name, qint64 min, qint64 max, QByteArray *reason) const
{
    const auto t = text(name, reason);
    if (!t)
        return std::nullopt;
    return inRange(*t, name, min, max, reason);
}
