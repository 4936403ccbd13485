// Commands on one terminal that do more than store members: a loudspeaker
// check reported later, a fire-alarm channel piece, the removal of a device.
#include "commands/CommandHandlers.h"
#include "commands/CommandSupport.h"
#include "commands/TablePush.h"
#include "wire/DbpMessage.h"

using CommandSupport::target;

namespace CommandHandlers {

namespace {

// Refuses with the reason the failed check left; a statement on its own, so an
// "if (...) REQUIRE(x); else ..." cannot take the else.
#define REQUIRE(expr)                                                                                              \
    do {                                                                                                           \
        if (!(expr))                                                                                               \
            return CommandOutcome::refuse(reason);                                                                 \
    } while (false)

std::optional<CommandBody> bodyOf(const DbpMessage &m, QByteArray *reason)
{
    return CommandBody::parse(m.body(), reason);
}

CommandOutcome updated(SimDatabase &db, const QByteArray &table, qint64 id, int changes, const QString &error)
{
    if (changes < 0)
        return CommandOutcome::refuse("database error: " + error.toUtf8());
    return CommandOutcome::done({TablePush::changed(db, table, id)});
}

} // namespace

CommandOutcome ipAmpSpkCheck(SimDatabase &db, const CommandSettings &settings, const DbpMessage &m)
{
    QByteArray reason;
    const auto b = bodyOf(m, &reason);
    REQUIRE(b);
    const auto t = target(db, *b, {"ipamp"}, &reason);
    REQUIRE(t);
    const auto check = b->integer("SpkCheck", 1, 1, &reason);
    REQUIRE(check);
    if (t->terminal.type != "IP")
        return CommandOutcome::refuse("terminal " + QByteArray::number(t->id) + " has no loudspeaker supervision");
    if (t->terminal.status != 1)
        return CommandOutcome::refuse("terminal " + QByteArray::number(t->id) + " is not idle");
    // The check answers at once; the line state it measured (the row's speaker
    // value, which the control channel sets) is reported by a later push.
    CommandOutcome o = CommandOutcome::done();
    const qint64 id = t->id;
    o.laterMs = settings.speakerCheckMs;
    o.later = [&db, id]() { return QVector<QByteArray>{TablePush::changed(db, "ipamp", id)}; };
    return o;
}

CommandOutcome setFRTrigger(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    QByteArray reason;
    const auto b = bodyOf(m, &reason);
    REQUIRE(b);
    const auto t = target(db, *b, {"firealarm"}, &reason);
    REQUIRE(t);
    const auto channelName = b->text("ChannelName", &reason);
    REQUIRE(channelName);
    const auto source = b->integer("SourceId", 0, INT32_MAX, &reason);
    REQUIRE(source);
    REQUIRE(b->integer("TriggerSwitch", 0, 1, &reason));
    REQUIRE(b->integer("StopPlay", 0, 1, &reason));
    // The channel table is "name#$%task" pieces joined by "!!!", one per input.
    const QString table = QString::fromUtf8(
        db.value("select broadcast from firealarm where terminalId = ?", {t->id}).value_or(QByteArray()));
    QStringList pieces = table.split(QStringLiteral("!!!"));
    const auto channel = b->integer("Channel", 1, pieces.size(), &reason);
    REQUIRE(channel);
    if (channelName->contains("!!!") || channelName->contains("#$%"))
        return CommandOutcome::refuse("ChannelName must not contain !!! or #$%");
    pieces[int(*channel - 1)] = QString::fromUtf8(*channelName) + QStringLiteral("#$%") + QString::number(*source);
    QString error;
    const int changes = db.exec("update firealarm set broadcast = ? where terminalId = ?",
                                {pieces.join(QStringLiteral("!!!")), t->id}, &error);
    return updated(db, "firealarm", t->id, changes, error);
}

CommandOutcome removeDevice(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    QByteArray reason;
    const auto b = bodyOf(m, &reason);
    REQUIRE(b);
    const auto idText = b->text("Id", &reason);
    REQUIRE(idText);
    const auto type = b->text("Type", &reason);
    REQUIRE(type);
    const auto id = CommandBody::parseInteger(*idText);
    if (!id)
        return CommandOutcome::refuse("Id must be a number");
    const auto t = db.findTerminal(*id);
    if (!t)
        return CommandOutcome::refuse("unknown terminal " + QByteArray::number(*id));
    if (t->type != *type)
        return CommandOutcome::refuse("terminal " + QByteArray::number(*id) + " has type " + t->type + ", not "
                                      + *type);
    if (t->status != 0)
        return CommandOutcome::refuse("Terminal can not be removed without offline!");
    QString error;
    if (!db.removeRecord(*t->table, *id, &error))
        return CommandOutcome::refuse("database error: " + error.toUtf8());
    return CommandOutcome::done({TablePush::deleted(*t->table, int(*id))});
}

} // namespace CommandHandlers
