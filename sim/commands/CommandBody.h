#pragma once

#include <QByteArray>
#include <QJsonObject>

#include <optional>

// The JSON object of a command. The console writes every value as a JSON
// string; numbers are accepted as well, since any valid JSON must do.
class CommandBody
{
public:
    static std::optional<CommandBody> parse(const QByteArray &body, QByteArray *reason);

    bool has(const char *name) const { return m_object.contains(QLatin1String(name)); }
    QJsonValue raw(const char *name) const { return m_object.value(QLatin1String(name)); }
    QStringList names() const { return m_object.keys(); }
    // Text of a string or number member; nullopt (and reason) when missing or of another kind.
    std::optional<QByteArray> text(const char *name, QByteArray *reason) const;
    std::optional<QByteArray> nonEmptyText(const char *name, QByteArray *reason) const;
    // A decimal integer within [min, max].
    std::optional<qint64> integer(const char *name, qint64 min, qint64 max, QByteArray *reason) const;

    static std::optional<qint64> parseInteger(const QByteArray &text);
    // text as a decimal integer within [min, max]; the reason names the member.
    static std::optional<qint64> inRange(const QByteArray &text, const char *name, qint64 min, qint64 max,
                                         QByteArray *reason);

private:
    QJsonObject m_object;
};
