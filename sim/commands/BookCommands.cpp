// Commands that replace one of a paging microphone's books.
#include "commands/CommandHandlers.h"
#include "commands/CommandSupport.h"
#include "commands/TablePush.h"
#include "wire/DbpMessage.h"

#include <QJsonArray>
#include <QJsonObject>

#include <functional>

namespace CommandHandlers {

namespace {

using CommandSupport::exists;
using CommandSupport::replaceRows;
using CommandSupport::Row;
using TokenParser = std::function<std::optional<Row>(const QByteArray &, QByteArray *)>;

struct TokenKind {
    const char *name;
    const char *table;  // where the named terminal must exist; nullptr: not checked
    int code;           // the type stored with the entry
};

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

} // namespace CommandHandlers
