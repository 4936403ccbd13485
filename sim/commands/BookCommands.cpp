// Commands that replace a microphone's books or a call station's button calls.
#include "commands/CommandHandlers.h"
#include "commands/CommandSupport.h"
#include "commands/TablePush.h"
#include "wire/DbpMessage.h"

#include <QJsonArray>
#include <QJsonObject>

#include <functional>

namespace CommandHandlers {

namespace {

using Row = QVector<QVariant>;
using TokenParser = std::function<std::optional<Row>(const QByteArray &, QByteArray *)>;

struct TokenKind {
    const char *name;
    const char *table;  // where the named terminal must exist; nullptr: not checked
    int code;           // the type stored with the entry
};

bool exists(SimDatabase &db, const char *table, qint64 id)
{
    return bool(db.value("select 1 from \"" + QByteArray(table) + "\" where terminalId = ?", {id}));
}

// "<Name>_<id>" → (id, type code).
TokenParser typedToken(SimDatabase &db, QVector<TokenKind> kinds)
{
    return [&db, kinds](const QByteArray &token, QByteArray *reason) -> std::optional<Row> {
        const qsizetype sep = token.lastIndexOf('_');
        qint64 id = 0;
        if (sep > 0) {
            if (const auto parsed = CommandBody::parseInteger(token.mid(sep + 1)))
                id = *parsed;
        }
        for (const TokenKind &k : kinds) {
            if (id <= 0 || token.left(sep) != k.name)
                continue;
            if (k.table && !exists(db, k.table, id)) {
                *reason = "unknown terminal in " + token;
                return std::nullopt;
            }
            return Row{id, k.code};
        }
        *reason = "bad entry " + token;
        return std::nullopt;
    };
}

std::optional<Row> plainId(const QByteArray &token, QByteArray *reason)
{
    const auto id = CommandBody::parseInteger(token);
    if (!id || *id <= 0) {
        *reason = "bad entry " + token;
        return std::nullopt;
    }
    return Row{*id};
}

// Replaces all rows of one owner in a table inside one transaction.
bool replaceRows(SimDatabase &db, const char *table, qint64 owner, const QByteArray &insertSql,
                 const QVector<Row> &rows, QString *error)
{
    db.execScript("BEGIN", nullptr);
    bool ok = db.exec("delete from " + QByteArray(table) + " where terminalId = ?", {owner}, error) >= 0;
    for (const Row &row : rows)
        ok = ok && db.exec(insertSql, row, error) >= 0;
    db.execScript(ok ? "COMMIT" : "ROLLBACK", nullptr);
    return ok;
}

// Every book row is (terminalId, orderId, entry values...); insertSql binds them in that order.
CommandOutcome replaceBook(SimDatabase &db, const DbpMessage &m, const char *listMember, const char *table,
                           const QByteArray &insertSql, const TokenParser &parse)
{
    QByteArray reason;
    const auto b = CommandBody::parse(m.body(), &reason);
    if (!b)
        return CommandOutcome::refuse(reason);
    const auto action = b->text("Action", &reason);
    if (!action)
        return CommandOutcome::refuse(reason);
    if (*action != "Mod")
        return CommandOutcome::refuse("Action must be Mod");
    const auto t = CommandSupport::target(db, *b, {"mic35"}, &reason);
    if (!t)
        return CommandOutcome::refuse(reason);
    const auto list = b->text(listMember, &reason);
    if (!list)
        return CommandOutcome::refuse(reason);
    QVector<Row> rows;
    for (const QByteArray &token : list->split(' ')) {
        if (token.isEmpty())
            continue;
        const auto entry = parse(token, &reason);
        if (!entry)
            return CommandOutcome::refuse(reason);
        rows.append(Row{t->id, int(rows.size()) + 1} + *entry);
    }
    QString error;
    if (!replaceRows(db, table, t->id, insertSql, rows, &error))
        return CommandOutcome::refuse("database error: " + error.toUtf8());
    return CommandOutcome::done({TablePush::changed(db, table, t->id)});
}

const QVector<TokenKind> &terminalKinds()
{
    static const QVector<TokenKind> kinds = {
        {"Mic26", "Mic26", 2}, {"Mic35", "mic35", 3}, {"Mic48", "Mic48", 4}, {"IP", "ipamp", 6}, {"M37", "m37", 8}};
    return kinds;
}

// A button's microphone may be a paging microphone or a mobile device; 0 = none.
bool validCallee(SimDatabase &db, qint64 id)
{
    return id == 0 || exists(db, "mic35", id) || exists(db, "m37", id);
}

} // namespace

CommandOutcome m35CallBook(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    return replaceBook(db, m, "Contacts", "m35call",
                       "insert into m35call(terminalId, orderId, contactId, contactType) values(?, ?, ?, ?)",
                       typedToken(db, terminalKinds()));
}

CommandOutcome m35CallTransfer(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    return replaceBook(db, m, "CallTransfer", "m35transfercall",
                       "insert into m35transfercall(terminalId, orderId, transferId, transferType) values(?, ?, ?, ?)",
                       typedToken(db, {{"Mic35", "mic35", 3}, {"CallSerGroup", nullptr, 10}}));
}

CommandOutcome m35MonitorBook(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    return replaceBook(db, m, "Monitor", "m35monitor",
                       "insert into m35monitor(terminalId, orderId, monitorId, monitorType) values(?, ?, ?, ?)",
                       typedToken(db, {{"Mic26", "Mic26", 2}, {"Mic35", "mic35", 3}, {"Mic48", "Mic48", 4},
                                       {"IpAmp", "ipamp", 6}}));
}

CommandOutcome m35SoundSource(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    return replaceBook(db, m, "SoundSource", "m35soundsource",
                       "insert into m35soundsource(terminalId, orderId, sourceId) values(?, ?, ?)", plainId);
}

CommandOutcome m35BroadBook(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    return replaceBook(db, m, "RegionId", "m35broadcast",
                       "insert into m35broadcast(terminalId, orderId, regionId) values(?, ?, ?)", plainId);
}

namespace {

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
