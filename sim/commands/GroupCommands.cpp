// Commands that add, change and remove a record of the group tables: the
// call-service groups of paging microphones and the broadcast regions.
#include "commands/CommandHandlers.h"
#include "commands/CommandSupport.h"
#include "commands/TablePush.h"
#include "wire/DbpMessage.h"

#include <QSet>

namespace CommandHandlers {

namespace {

#define REQUIRE(expr)                                                                                              \
    do {                                                                                                           \
        if (!(expr))                                                                                               \
            return CommandOutcome::refuse(reason);                                                                 \
    } while (false)

enum class Action { Add, Mod, Del };

std::optional<Action> actionOf(const CommandBody &b, QByteArray *reason)
{
    const auto text = b.text("Action", reason);
    if (!text)
        return std::nullopt;
    if (*text == "Add")
        return Action::Add;
    if (*text == "Mod")
        return Action::Mod;
    if (*text == "Del")
        return Action::Del;
    *reason = "Action must be Add, Mod or Del";
    return std::nullopt;
}

// The member list as stored: the ids in the order given, one blank apart.
// Every id must name a terminal of one of the tables, and only once.
std::optional<QByteArray> memberList(SimDatabase &db, const QByteArray &text, const char *member,
                                     const std::vector<const char *> &tables, QByteArray *reason)
{
    QByteArrayList ids;
    QSet<qint64> seen;
    for (const QByteArray &token : text.split(' ')) {
        if (token.isEmpty())
            continue;
        const auto t = CommandSupport::targetById(db, token, tables, reason);
        if (!t) {
            *reason = QByteArray(member) + ": " + *reason;
            return std::nullopt;
        }
        if (seen.contains(t->id)) {
            *reason = QByteArray(member) + " names " + QByteArray::number(t->id) + " twice";
            return std::nullopt;
        }
        seen.insert(t->id);
        ids.append(QByteArray::number(t->id));
    }
    return ids.join(' ');
}

struct GroupTable {
    const char *table;   // registered table
    const char *what;    // how a refusal names a record
    const char *members; // the request member holding the member ids
    std::vector<const char *> memberTables;
    std::vector<const char *> allowed;
};

// The checks and writes both commands share: the action, the record's id
// (new for Add, known for Mod and Del), then either the removal or the
// record's values, which `write` stores.
template <typename Write>
CommandOutcome editRecord(SimDatabase &db, const DbpMessage &m, const GroupTable &g, Write write)
{
    QByteArray reason;
    const auto b = CommandBody::parse(m.body(), &reason);
    REQUIRE(b);
    REQUIRE(CommandSupport::onlyMembers(*b, g.allowed, &reason));
    const auto action = actionOf(*b, &reason);
    REQUIRE(action);
    const auto id = b->integer("Id", 1, INT32_MAX, &reason);
    REQUIRE(id);
    const TableRegistry::Table &table = TableRegistry::named(g.table);
    const bool known = CommandSupport::exists(db, g.table, *id);
    if (*action == Action::Add && known)
        return CommandOutcome::refuse(QByteArray(g.what) + " " + QByteArray::number(*id) + " exists already");
    if (*action != Action::Add && !known)
        return CommandOutcome::refuse("unknown " + QByteArray(g.what) + " " + QByteArray::number(*id));
    QString error;
    if (*action == Action::Del) {
        if (!db.removeRecord(table, *id, &error))
            return CommandOutcome::refuse("database error: " + error.toUtf8());
        return CommandOutcome::done({TablePush::deleted(table, int(*id))});
    }
    const auto name = b->nonEmptyText("Name", &reason);
    REQUIRE(name);
    const auto memberText = b->text(g.members, &reason);
    REQUIRE(memberText);
    const auto members = memberList(db, *memberText, g.members, g.memberTables, &reason);
    REQUIRE(members);
    if (!write(*b, *id, *name, *members, &reason, &error))
        return CommandOutcome::refuse(reason.isEmpty() ? "database error: " + error.toUtf8() : reason);
    return CommandOutcome::done({TablePush::changed(db, table, *id)});
}

} // namespace

CommandOutcome callService(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    static const GroupTable groups{"callservergroup", "group", "Mic35Id", {"mic35"},
                                   {"Action", "CallWaitRule", "Id", "Mic35Id", "Name", "RingTime"}};
    return editRecord(db, m, groups,
                      [&db](const CommandBody &b, qint64 id, const QByteArray &name, const QByteArray &members,
                            QByteArray *reason, QString *error) {
                          const auto rule = b.integer("CallWaitRule", 1, 5, reason);
                          const auto ringTime = rule ? b.integer("RingTime", 1, 3600, reason) : std::nullopt;
                          if (!rule || !ringTime)
                              return false;
                          return db.exec("insert or replace into callservergroup(groupId, name, callWaitRule, "
                                         "ringTime, terminalId) values(?, ?, ?, ?, ?)",
                                         {id, name, *rule, *ringTime, members}, error)
                              >= 0;
                      });
}

CommandOutcome broadRegion(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    // Regions address player terminals and the call stations that play sound.
    static const GroupTable regions{"region", "region", "TerminalId", {"ipamp", "Mic26", "Mic48"},
                                    {"Action", "Id", "Name", "TerminalId"}};
    return editRecord(db, m, regions,
                      [&db](const CommandBody &, qint64 id, const QByteArray &name, const QByteArray &members,
                            QByteArray *, QString *error) {
                          return db.exec("insert or replace into region(regionId, name, terminalId) values(?, ?, ?)",
                                         {id, name, members}, error)
                              >= 0;
                      });
}

} // namespace CommandHandlers
