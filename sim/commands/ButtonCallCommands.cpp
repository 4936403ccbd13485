// Commands that replace a call station's button calls.
#include "commands/CommandHandlers.h"
#include "commands/CommandSupport.h"
#include "commands/TablePush.h"
#include "wire/DbpMessage.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

namespace CommandHandlers {

using CommandSupport::exists;
using CommandSupport::replaceRows;
using CommandSupport::Row;

namespace {

// A button's microphone may be a paging microphone or a mobile device; 0 = none.
bool validCallee(SimDatabase &db, qint64 id)
{
    return id == 0 || exists(db, "mic35", id) || exists(db, "m37", id);
}

struct ButtonCall {
    QByteArray start, stop;
    qint64 mic35 = 0, group = 0;
};

std::optional<ButtonCall> buttonCall(SimDatabase &db, const QJsonObject &o, const QStringList &actions,
                                     QByteArray *reason)
{
    ButtonCall c;
    c.start = o.value("StartCall").toString().toUtf8();
    c.stop = o.value("StopCall").toString().toUtf8();
    const auto mic = CommandBody::parseInteger(o.value("Mic35").toString("0").toUtf8());
    const auto group = CommandBody::parseInteger(o.value("CallServiceGroup").toString("0").toUtf8());
    if (!mic || !group || *group < 0 || !validCallee(db, *mic)) {
        *reason = "bad Mic35 or CallServiceGroup";
        return std::nullopt;
    }
    for (const QByteArray &a : {c.start, c.stop}) {
        if (!a.isEmpty() && !actions.contains(QString::fromUtf8(a))) {
            *reason = "unknown button action " + a;
            return std::nullopt;
        }
    }
    c.mic35 = *mic;
    c.group = *group;
    return c;
}

CommandOutcome storeButtonCalls(SimDatabase &db, const char *table, qint64 owner, const QVector<ButtonCall> &calls)
{
    QVector<Row> rows;
    for (const ButtonCall &c : calls)
        rows.append(Row{owner, QString::fromUtf8(c.start), QString::fromUtf8(c.stop), c.mic35, c.group});
    QString error;
    if (!replaceRows(db, table, owner,
                     "insert into " + QByteArray(table)
                         + "(terminalId, startCall, stopCall, mic35Id, groupId) values(?, ?, ?, ?, ?)",
                     rows, &error))
        return CommandOutcome::refuse("database error: " + error.toUtf8());
    return CommandOutcome::done({TablePush::changed(db, table, owner)});
}

} // namespace

CommandOutcome m26ButtonCall(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    static const QStringList actions = {"ButtonPopUp",      "ButtonLongPress",  "AlarmShortPress",
                                        "AlarmLongPress",   "BackupShortPress", "BackupLongPress",
                                        "Alarm2ShortPress", "Alarm2LongPress"};
    QByteArray reason;
    const auto b = CommandBody::parse(m.body(), &reason);
    if (!b)
        return CommandOutcome::refuse(reason);
    if (b->raw("Action").toString() != QLatin1String("Mod"))
        return CommandOutcome::refuse("Action must be Mod");
    const auto t = CommandSupport::target(db, *b, {"Mic26"}, &reason);
    if (!t)
        return CommandOutcome::refuse(reason);
    const QJsonValue buttons = b->raw("ButtonCalls");
    if (!buttons.isArray() || buttons.toArray().size() > 3)
        return CommandOutcome::refuse("ButtonCalls must be an array of at most three buttons");
    QVector<ButtonCall> calls;
    for (const QJsonValue &v : buttons.toArray()) {
        const auto c = buttonCall(db, v.toObject(), actions, &reason);
        if (!c)
            return CommandOutcome::refuse(reason);
        calls.append(*c);
    }
    if (b->has("AlarmCall")) {
        // "start stop"; a single blank means the backup button is off.
        const QString alarm = b->raw("AlarmCall").toString();
        const int blank = alarm.indexOf(' ');
        QJsonObject o{{"StartCall", alarm.left(blank < 0 ? alarm.size() : blank)},
                      {"StopCall", blank < 0 ? QString() : alarm.mid(blank + 1)}};
        const auto c = buttonCall(db, o, actions, &reason);
        if (!c)
            return CommandOutcome::refuse(reason);
        calls.append(*c);
    }
    return storeButtonCalls(db, "m26buttoncall", t->id, calls);
}

CommandOutcome m48ButtonCall(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    QByteArray reason;
    const auto b = CommandBody::parse(m.body(), &reason);
    if (!b)
        return CommandOutcome::refuse(reason);
    if (b->raw("Action").toString() != QLatin1String("Mod"))
        return CommandOutcome::refuse("Action must be Mod");
    const auto t = CommandSupport::target(db, *b, {"Mic48"}, &reason);
    if (!t)
        return CommandOutcome::refuse(reason);
    QJsonObject o;
    for (const char *k : {"CallServiceGroup", "Mic35", "StartCall", "StopCall"}) {
        const auto text = b->text(k, &reason);
        if (!text)
            return CommandOutcome::refuse(reason);
        o.insert(QLatin1String(k), QString::fromUtf8(*text));
    }
    const auto c = buttonCall(db, o, {"ButtonPushDown", "ButtonLongPress"}, &reason);
    if (!c)
        return CommandOutcome::refuse(reason);
    return storeButtonCalls(db, "m48buttoncall", t->id, {*c});
}

} // namespace CommandHandlers
