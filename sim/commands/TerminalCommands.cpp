// Commands that change one terminal's own row.
#include "commands/CommandHandlers.h"
#include "commands/CommandSupport.h"
#include "commands/TablePush.h"
#include "wire/DbpMessage.h"

using CommandSupport::target;

namespace CommandHandlers {

namespace {

#define REQUIRE(expr)                                                                                              \
    if (!(expr))                                                                                                   \
    return CommandOutcome::refuse(reason)

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

CommandOutcome modTalkTerminal(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    QByteArray reason;
    const auto b = bodyOf(m, &reason);
    REQUIRE(b);
    const auto t = target(db, *b, {"mic35", "Mic26", "Mic48"}, &reason);
    REQUIRE(t);
    const auto name = b->nonEmptyText("Name", &reason);
    REQUIRE(name);
    const auto bell = b->integer("BellVol", 0, 100, &reason);
    REQUIRE(bell);
    const auto bro = b->integer("BroVol", 0, 100, &reason);
    REQUIRE(bro);
    const auto call = b->integer("CallVol", 0, 100, &reason);
    REQUIRE(call);
    const auto cap = b->integer("CapVol", 0, 100, &reason);
    REQUIRE(cap);
    const QByteArray table = t->terminal.table->name;
    std::optional<qint64> ptt;
    if (b->has("PttMode")) {
        if (table != "mic35")
            return CommandOutcome::refuse("PttMode applies to paging microphones only");
        ptt = b->integer("PttMode", 0, 1, &reason);
        REQUIRE(ptt);
    }
    QString error;
    int changes = db.exec("update \"" + table + "\" set name = ?, bellVol = ?, broVol = ?, callVol = ?, capVol = ?"
                          " where terminalId = ?",
                          {QString::fromUtf8(*name), *bell, *bro, *call, *cap, t->id}, &error);
    if (changes >= 0 && ptt)
        changes = db.exec("update mic35 set pttMode = ? where terminalId = ?", {*ptt, t->id}, &error);
    return updated(db, table, t->id, changes, error);
}

CommandOutcome ipAmpSet(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    QByteArray reason;
    const auto b = bodyOf(m, &reason);
    REQUIRE(b);
    const auto t = target(db, *b, {"ipamp", "Mic48"}, &reason);
    REQUIRE(t);
    const auto name = b->nonEmptyText("Name", &reason);
    REQUIRE(name);
    const auto vol = b->integer("BroVol", 0, 100, &reason);
    REQUIRE(vol);
    const QByteArray table = t->terminal.table->name;
    QString error;
    const int changes = db.exec("update \"" + table + "\" set name = ?, broVol = ? where terminalId = ?",
                                {QString::fromUtf8(*name), *vol, t->id}, &error);
    return updated(db, table, t->id, changes, error);
}

CommandOutcome ipAmpPower(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    QByteArray reason;
    const auto b = bodyOf(m, &reason);
    REQUIRE(b);
    const auto t = target(db, *b, {"ipamp"}, &reason);
    REQUIRE(t);
    const auto power = b->integer("Power", 0, 1, &reason);
    REQUIRE(power);
    if (t->terminal.status == 0)
        return CommandOutcome::refuse("terminal " + QByteArray::number(t->id) + " is offline");
    QString error;
    const int changes = db.exec("update ipamp set power = ? where terminalId = ?", {*power, t->id}, &error);
    return updated(db, "ipamp", t->id, changes, error);
}

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

CommandOutcome playTermConfig(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    QByteArray reason;
    const auto t = CommandSupport::targetById(db, m.header("Id"), {"ipamp"}, &reason);
    REQUIRE(t);
    qint64 values[3] = {};
    const char *names[3] = {"WarnTempThreshold", "FanTempThreshold", "MaxVol"};
    for (int i = 0; i < 3; ++i) {
        const auto v = CommandBody::parseInteger(m.header(names[i]));
        if (!v || *v < -1 || *v > 100)
            return CommandOutcome::refuse(QByteArray(names[i]) + " must be a number from -1 to 100");
        values[i] = *v;
    }
    QString error;
    const int changes = db.exec("update ipamp set warnTempThreshold = ?, fanTempThreshold = ?, maxVol = ?"
                                " where terminalId = ?",
                                {values[0], values[1], values[2], t->id}, &error);
    return updated(db, "ipamp", t->id, changes, error);
}

CommandOutcome terminal(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    // An empty body is what a console without default/firewall support sends:
    // accepted, nothing stored.
    if (m.body().trimmed().isEmpty())
        return CommandOutcome::done();
    QByteArray reason;
    const auto b = bodyOf(m, &reason);
    REQUIRE(b);
    REQUIRE(CommandSupport::onlyMembers(*b, {"DefaultPower", "DefaultVolumn", "Id", "IsDefault", "TransportTcp"},
                                        &reason));
    const auto t = target(db, *b, {"ipamp"}, &reason);
    REQUIRE(t);
    struct Column { const char *member; const char *column; qint64 max; };
    const Column columns[] = {{"DefaultPower", "defaultPower", 1}, {"DefaultVolumn", "defaultVolumn", 100},
                              {"IsDefault", "isDefault", 1}, {"TransportTcp", "transportTcp", 1}};
    QVector<QPair<const char *, qint64>> sets;
    for (const Column &c : columns) {
        if (!b->has(c.member))
            continue;
        const auto v = b->integer(c.member, 0, c.max, &reason);
        REQUIRE(v);
        sets.append({c.column, *v});
    }
    QString error;
    for (const auto &s : sets) {
        if (db.exec("update ipamp set " + QByteArray(s.first) + " = ? where terminalId = ?", {s.second, t->id},
                    &error) < 0)
            return updated(db, "ipamp", t->id, -1, error);
    }
    return updated(db, "ipamp", t->id, 1, error);
}

CommandOutcome modM48Led(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    QByteArray reason;
    const auto b = bodyOf(m, &reason);
    REQUIRE(b);
    const auto t = target(db, *b, {"Mic48"}, &reason);
    REQUIRE(t);
    const auto time = b->integer("DisplayTime", 0, 3600, &reason);
    REQUIRE(time);
    const auto color = b->integer("LedColor", 0, 0xffffff, &reason);
    REQUIRE(color);
    const auto mode = b->integer("SwitchMode", 0, 255, &reason);
    REQUIRE(mode);
    const auto text = b->text("LedTxt", &reason);
    REQUIRE(text);
    QString error;
    const int changes = db.exec("update Mic48 set displayTime = ?, ledColor = ?, switchMode = ?, ledTxt = ?"
                                " where terminalId = ?",
                                {*time, *color, *mode, QString::fromUtf8(*text), t->id}, &error);
    return updated(db, "Mic48", t->id, changes, error);
}

CommandOutcome capM59Set(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    QByteArray reason;
    const auto b = bodyOf(m, &reason);
    REQUIRE(b);
    const auto t = target(db, *b, {"capm59"}, &reason);
    REQUIRE(t);
    const auto name = b->nonEmptyText("Name", &reason);
    REQUIRE(name);
    const auto vol = b->integer("CapVol", 0, 100, &reason);
    REQUIRE(vol);
    const auto rate = b->integer("CapSamplerate", 16000, 32000, &reason);
    REQUIRE(rate);
    if (*rate != 16000 && *rate != 24000 && *rate != 32000)
        return CommandOutcome::refuse("CapSamplerate must be 16000, 24000 or 32000");
    QString error;
    const int changes = db.exec("update capm59 set name = ?, capVol = ?, capSamplerate = ? where terminalId = ?",
                                {QString::fromUtf8(*name), *vol, *rate, t->id}, &error);
    return updated(db, "capm59", t->id, changes, error);
}

CommandOutcome tts83Name(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    QByteArray reason;
    const auto b = bodyOf(m, &reason);
    REQUIRE(b);
    const auto t = target(db, *b, {"tts83"}, &reason);
    REQUIRE(t);
    const auto name = b->nonEmptyText("Name", &reason);
    REQUIRE(name);
    QString error;
    const int changes = db.exec("update tts83 set name = ? where terminalId = ?", {QString::fromUtf8(*name), t->id},
                                &error);
    return updated(db, "tts83", t->id, changes, error);
}

CommandOutcome setFRName(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    QByteArray reason;
    const auto b = bodyOf(m, &reason);
    REQUIRE(b);
    const auto t = target(db, *b, {"firealarm"}, &reason);
    REQUIRE(t);
    const auto name = b->nonEmptyText("Name", &reason);
    REQUIRE(name);
    const auto trigger = b->integer("TriggerType", 1, 2, &reason);
    REQUIRE(trigger);
    QString error;
    const int changes = db.exec("update firealarm set name = ?, triggerType = ? where terminalId = ?",
                                {QString::fromUtf8(*name), *trigger, t->id}, &error);
    return updated(db, "firealarm", t->id, changes, error);
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
