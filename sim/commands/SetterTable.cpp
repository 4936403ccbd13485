#include "commands/SetterTable.h"

#include "commands/CommandBody.h"
#include "commands/CommandSupport.h"
#include "commands/TablePush.h"
#include "db/SimDatabase.h"
#include "wire/DbpMessage.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace SetterTable {

namespace {

enum class Kind { Text, NonEmptyText, Integer };

struct Field {
    const char *member;
    const char *column;
    Kind kind;
    qint64 min = 0;
    qint64 max = 0;
    std::vector<qint64> choices = {};  // the only values allowed; empty: the whole range
    bool optional = false;             // a missing member leaves its column alone
    const char *onlyTable = nullptr;   // the member is refused for targets in other tables
    const char *onlyWhat = nullptr;    // how the refusal names those targets
};

Field text(const char *member, const char *column)
{
    return {member, column, Kind::Text};
}

Field name()
{
    return {"Name", "name", Kind::NonEmptyText};
}

Field number(const char *member, const char *column, qint64 min, qint64 max)
{
    return {member, column, Kind::Integer, min, max};
}

Field volume(const char *member, const char *column)
{
    return number(member, column, 0, 100);
}

Field optional(Field f)
{
    f.optional = true;
    return f;
}

Field onlyIn(const char *table, const char *what, Field f)
{
    f.optional = true;
    f.onlyTable = table;
    f.onlyWhat = what;
    return f;
}

Field oneOf(const char *member, const char *column, std::vector<qint64> choices)
{
    Field f = number(member, column, choices.front(), choices.back());
    f.choices = std::move(choices);
    return f;
}

} // namespace

struct Setter {
    enum Source { Body, Headers };  // a JSON body, or header lines (SET requests have no body)
    const char *packetType;
    Source source;
    std::vector<const char *> tables;  // where the target named by "Id" must be
    std::vector<Field> fields;         // checked and stored in this order
    bool emptyBodyAccepted = false;    // an empty body is accepted and changes nothing
    bool onlyTheseMembers = false;     // a member that is not a field (or Id) is refused
    bool targetOnline = false;         // refused while the terminal is offline
};

namespace {

const std::vector<Setter> &setters()
{
    static const std::vector<Setter> table = {
        {"ModTalkTerminal", Setter::Body, {"mic35", "Mic26", "Mic48"},
         {name(), volume("BellVol", "bellVol"), volume("BroVol", "broVol"), volume("CallVol", "callVol"),
          volume("CapVol", "capVol"), onlyIn("mic35", "paging microphones", number("PttMode", "pttMode", 0, 1))}},
        {"IpAmpSet", Setter::Body, {"ipamp", "Mic48"}, {name(), volume("BroVol", "broVol")}},
        {"IpAmpPower", Setter::Body, {"ipamp"}, {number("Power", "power", 0, 1)}, false, false, true},
        {"PlayTermConfig", Setter::Headers, {"ipamp"},
         {number("WarnTempThreshold", "warnTempThreshold", -1, 100),
          number("FanTempThreshold", "fanTempThreshold", -1, 100), number("MaxVol", "maxVol", -1, 100)}},
        // What a console without the default and firewall dialogs sends is an empty body.
        {"Terminal", Setter::Body, {"ipamp"},
         {optional(number("DefaultPower", "defaultPower", 0, 1)), optional(volume("DefaultVolumn", "defaultVolumn")),
          optional(number("IsDefault", "isDefault", 0, 1)), optional(number("TransportTcp", "transportTcp", 0, 1))},
         true, true},
        {"ModM48Led", Setter::Body, {"Mic48"},
         {number("DisplayTime", "displayTime", 0, 3600), number("LedColor", "ledColor", 0, 0xffffff),
          number("SwitchMode", "switchMode", 0, 255), text("LedTxt", "ledTxt")}},
        {"CapM59Set", Setter::Body, {"capm59"},
         {name(), volume("CapVol", "capVol"), oneOf("CapSamplerate", "capSamplerate", {16000, 24000, 32000})}},
        {"TTs83Name", Setter::Body, {"tts83"}, {name()}},
        {"SetFRName", Setter::Body, {"firealarm"}, {name(), number("TriggerType", "triggerType", 1, 2)}},
    };
    return table;
}

QByteArray choiceText(const std::vector<qint64> &choices)
{
    QByteArray text;
    for (size_t i = 0; i < choices.size(); ++i) {
        if (i > 0)
            text += i + 1 == choices.size() ? " or " : ", ";
        text += QByteArray::number(choices[i]);
    }
    return text;
}

// One member's value, or nullopt with the reason it is refused.
std::optional<QVariant> valueOf(const Field &f, const Setter &s, const DbpMessage &m, const CommandBody &body,
                                QByteArray *reason)
{
    if (s.source == Setter::Headers) {
        // Header lines carry numbers only; a missing one is not a number either.
        const auto v = CommandBody::inRange(m.header(f.member), f.member, f.min, f.max, reason);
        return v ? std::optional<QVariant>(*v) : std::nullopt;
    }
    if (f.kind == Kind::Text || f.kind == Kind::NonEmptyText) {
        const auto t = f.kind == Kind::Text ? body.text(f.member, reason) : body.nonEmptyText(f.member, reason);
        return t ? std::optional<QVariant>(QString::fromUtf8(*t)) : std::nullopt;
    }
    const auto v = body.integer(f.member, f.min, f.max, reason);
    if (!v)
        return std::nullopt;
    if (!f.choices.empty() && std::find(f.choices.begin(), f.choices.end(), *v) == f.choices.end()) {
        *reason = QByteArray(f.member) + " must be " + choiceText(f.choices);
        return std::nullopt;
    }
    return QVariant(*v);
}

} // namespace

const Setter *find(const QByteArray &packetType)
{
    for (const Setter &s : setters()) {
        if (packetType == s.packetType)
            return &s;
    }
    return nullptr;
}

CommandOutcome run(const Setter &s, SimDatabase &db, const DbpMessage &m)
{
    if (s.emptyBodyAccepted && m.body().trimmed().isEmpty())
        return CommandOutcome::done();
    QByteArray reason;
    CommandBody body;
    if (s.source == Setter::Body) {
        const auto parsed = CommandBody::parse(m.body(), &reason);
        if (!parsed)
            return CommandOutcome::refuse(reason);
        body = *parsed;
    }
    if (s.onlyTheseMembers) {
        std::vector<const char *> allowed{"Id"};
        for (const Field &f : s.fields)
            allowed.push_back(f.member);
        if (!CommandSupport::onlyMembers(body, allowed, &reason))
            return CommandOutcome::refuse(reason);
    }
    const auto idText = s.source == Setter::Body ? body.text("Id", &reason) : std::optional<QByteArray>(m.header("Id"));
    if (!idText)
        return CommandOutcome::refuse(reason);
    const auto t = CommandSupport::targetById(db, *idText, s.tables, &reason);
    if (!t)
        return CommandOutcome::refuse(reason);
    const TableRegistry::Table &table = *t->terminal.table;

    QByteArray assignments;
    QVector<QVariant> values;
    for (const Field &f : s.fields) {
        if (f.optional && s.source == Setter::Body && !body.has(f.member))
            continue;
        if (f.onlyTable && table.name != f.onlyTable)
            return CommandOutcome::refuse(QByteArray(f.member) + " applies to " + f.onlyWhat + " only");
        const auto v = valueOf(f, s, m, body, &reason);
        if (!v)
            return CommandOutcome::refuse(reason);
        assignments += (assignments.isEmpty() ? "" : ", ") + QByteArray(f.column) + " = ?";
        values.append(*v);
    }
    if (s.targetOnline && t->terminal.status == 0)
        return CommandOutcome::refuse("terminal " + QByteArray::number(t->id) + " is offline");
    if (!assignments.isEmpty()) {
        values.append(t->id);
        QString error;
        if (db.exec("update \"" + table.name + "\" set " + assignments + " where \"" + table.keyColumn + "\" = ?",
                    values, &error) < 0)
            return CommandOutcome::refuse("database error: " + error.toUtf8());
    }
    return CommandOutcome::done({TablePush::changed(db, table, t->id)});
}

} // namespace SetterTable
