// The sound-source tasks and timer schemes: the server gives new ids, keeps
// running tasks and integration tasks out of the operator's edits, and
// pushes every change.
#include "commands/CommandHandlers.h"
#include "commands/CommandSupport.h"
#include "commands/TablePush.h"
#include "wire/DbpMessage.h"
#include "wire/DbpWriter.h"

#include <limits>

namespace CommandHandlers {

namespace {

#define REQUIRE(expr)                                                                                              \
    do {                                                                                                           \
        if (!(expr))                                                                                               \
            return CommandOutcome::refuse(reason);                                                                 \
    } while (false)

constexpr qint64 kDefaultScheme = 1;
constexpr int kIntegrationCategory = 4;
constexpr int kTimerCategory = 3;
constexpr int kCaptureSource = 2;
constexpr int kRunning = 1;
constexpr int kIdle = 2;

struct TaskRow {
    int status = 0;
    int category = 0;
    qint64 duration = 0;
    qint64 playTimes = 0;
};

std::optional<TaskRow> findTask(SimDatabase &db, qint64 id)
{
    const auto status = db.value("select status from soundsource where sourceId = ?", {id});
    if (!status)
        return std::nullopt;
    TaskRow t;
    t.status = status->toInt();
    t.category = db.value("select sourceCategory from soundsource where sourceId = ?", {id})->toInt();
    t.duration = db.value("select duration from soundsource where sourceId = ?", {id})->toLongLong();
    t.playTimes = db.value("select playTimes from soundsource where sourceId = ?", {id})->toLongLong();
    return t;
}

qint64 nextKey(SimDatabase &db, const char *table, const char *key)
{
    const auto max = db.value("select coalesce(max(" + QByteArray(key) + "), 0) from " + table, {});
    return (max ? max->toLongLong() : 0) + 1;
}

CommandOutcome pushed(SimDatabase &db, const char *table, qint64 key, int changes, const QString &error)
{
    if (changes < 0)
        return CommandOutcome::refuse("database error: " + error.toUtf8());
    return CommandOutcome::done({TablePush::changed(db, table, key)});
}

CommandOutcome removed(SimDatabase &db, const char *table, qint64 key)
{
    QString error;
    if (!db.removeRecord(TableRegistry::named(table), key, &error))
        return CommandOutcome::refuse("database error: " + error.toUtf8());
    return CommandOutcome::done({TablePush::deleted(TableRegistry::named(table), int(key))});
}

// The members of a whole task, checked against the installation.
struct TaskValues {
    QVector<QVariant> values;  // in the column order of kTaskColumns
};

const char *const kTaskColumns[] = {"name", "sourceCategory", "sourceType", "timerPlanId", "sourceContent",
                                    "playVol", "playTimes", "duration", "openAmp", "week", "startDate",
                                    "endDate", "executeTime", "terminalId"};

std::optional<TaskValues> taskValues(SimDatabase &db, const CommandBody &b, QByteArray *reason)
{
    const auto name = b.text("Name", reason);
    if (!name)
        return std::nullopt;
    const auto category = b.integer("SourceCategory", 1, 4, reason);
    const auto type = category ? b.integer("SourceType", 1, 4, reason) : std::nullopt;
    const auto plan = type ? b.integer("TimerPlanId", -1, INT32_MAX, reason) : std::nullopt;
    const auto content = plan ? b.text("SourceContent", reason) : std::nullopt;
    const auto volume = content ? b.integer("PlayVol", 0, 100, reason) : std::nullopt;
    const auto times = volume ? b.integer("PlayTimes", 0, 100000, reason) : std::nullopt;
    const auto duration = times ? b.integer("Duration", 0, 86400 * 366, reason) : std::nullopt;
    const auto openAmp = duration ? b.integer("OpenAmp", 0, 86400, reason) : std::nullopt;
    const auto week = openAmp ? b.integer("Week", 0, 255, reason) : std::nullopt;
    const auto start = week ? b.integer("StartDate", 0, std::numeric_limits<qint64>::max(), reason) : std::nullopt;
    const auto end = start ? b.integer("EndDate", 0, std::numeric_limits<qint64>::max(), reason) : std::nullopt;
    const auto exec = end ? b.text("ExecuteTime", reason) : std::nullopt;
    const auto terminals = exec ? b.text("TerminalId", reason) : std::nullopt;
    if (!terminals)
        return std::nullopt;
    if (*category == kIntegrationCategory) {
        *reason = "integration tasks are managed by the server";
        return std::nullopt;
    }
    if (*category == kTimerCategory && !CommandSupport::exists(db, "timerplan", *plan)) {
        *reason = "unknown scheme " + QByteArray::number(*plan);
        return std::nullopt;
    }
    if (*type == kCaptureSource) {
        const auto box = CommandBody::parseInteger(*content);
        const auto found = box ? db.findTerminal(*box) : std::nullopt;
        if (!found || found->table->name != "capm59") {
            *reason = "unknown capture box " + *content;
            return std::nullopt;
        }
    }
    for (const QByteArray &part : terminals->split(' ')) {
        if (part.isEmpty())
            continue;
        const auto id = CommandBody::parseInteger(part);
        if (!id || !db.findTerminal(*id)) {
            *reason = "unknown terminal " + part;
            return std::nullopt;
        }
    }
    TaskValues v;
    v.values = {QString::fromUtf8(*name), *category, *type, *plan, QString::fromUtf8(*content), *volume, *times,
                *duration, *openAmp, *week, *start, *end, QString::fromUtf8(*exec), QString::fromUtf8(*terminals)};
    return v;
}

const std::vector<const char *> kTaskMembers = {"Action", "Id", "Name", "SourceCategory", "SourceType",
                                                 "TimerPlanId", "SourceContent", "PlayVol", "PlayTimes",
                                                 "Duration", "OpenAmp", "Week", "StartDate", "EndDate",
                                                 "ExecuteTime", "TerminalId"};

// The existing task an edit names; refuses an unknown, running or integration task.
std::optional<qint64> editableTask(SimDatabase &db, const CommandBody &b, QByteArray *reason)
{
    const auto id = b.integer("Id", 0, INT32_MAX, reason);
    if (!id)
        return std::nullopt;
    const auto task = findTask(db, *id);
    if (!task)
        *reason = "unknown task " + QByteArray::number(*id);
    else if (task->status == kRunning)
        *reason = "task " + QByteArray::number(*id) + " is running";
    else if (task->category == kIntegrationCategory)
        *reason = "integration tasks are managed by the server";
    else
        return id;
    return std::nullopt;
}

} // namespace

CommandOutcome soundSource(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    QByteArray reason;
    const auto b = CommandBody::parse(m.body(), &reason);
    REQUIRE(b);
    REQUIRE(CommandSupport::onlyMembers(*b, kTaskMembers, &reason));
    const auto action = b->text("Action", &reason);
    REQUIRE(action);
    QString error;
    if (*action == "Del") {
        const auto id = editableTask(db, *b, &reason);
        REQUIRE(id);
        return removed(db, "soundsource", *id);
    }
    if (*action != "Add" && *action != "Mod")
        return CommandOutcome::refuse("unknown Action " + *action);
    const bool add = *action == "Add";
    qint64 id = 0;
    if (add) {
        REQUIRE(b->integer("Id", -1, INT32_MAX, &reason));  // the server gives the id
        id = nextKey(db, "soundsource", "sourceId");
    } else {
        const auto existing = editableTask(db, *b, &reason);
        REQUIRE(existing);
        id = *existing;
    }
    const auto values = taskValues(db, *b, &reason);
    REQUIRE(values);
    QByteArray columns, marks, sets;
    for (const char *c : kTaskColumns) {
        columns += QByteArray(columns.isEmpty() ? "" : ", ") + c;
        marks += QByteArray(marks.isEmpty() ? "?" : ", ?");
        sets += QByteArray(sets.isEmpty() ? "" : ", ") + c + " = ?";
    }
    QVector<QVariant> args = values->values;
    int changes;
    if (add) {
        args.prepend(id);
        changes = db.exec("insert into soundsource(sourceId, status, " + columns + ") values(?, 2, " + marks + ")",
                          args, &error);
    } else {
        args.append(id);
        changes = db.exec("update soundsource set " + sets + " where sourceId = ?", args, &error);
    }
    return pushed(db, "soundsource", id, changes, error);
}

CommandOutcome soundSourceSwitch(SimDatabase &db, const CommandSettings &settings, const DbpMessage &m)
{
    QByteArray reason;
    const auto b = CommandBody::parse(m.body(), &reason);
    REQUIRE(b);
    REQUIRE(CommandSupport::onlyMembers(*b, {"Action", "Id"}, &reason));
    const auto action = b->text("Action", &reason);
    REQUIRE(action);
    if (*action != "Start" && *action != "Stop")
        return CommandOutcome::refuse("unknown Action " + *action);
    const auto id = b->integer("Id", 0, INT32_MAX, &reason);
    REQUIRE(id);
    const auto task = findTask(db, *id);
    if (!task)
        return CommandOutcome::refuse("unknown task " + QByteArray::number(*id));
    const bool start = *action == "Start";
    QString error;
    const int changes = db.exec("update soundsource set status = ? where sourceId = ?",
                                {start ? kRunning : kIdle, *id}, &error);
    CommandOutcome o = pushed(db, "soundsource", *id, changes, error);
    if (!o.ok || !start)
        return o;
    // A task plays for its duration (or one second per play) and then is idle again.
    const qint64 seconds = task->duration > 0 ? task->duration : std::max<qint64>(1, task->playTimes);
    const qint64 taskId = *id;
    o.laterMs = int(std::min<qint64>(seconds * settings.taskSecondMs, 24 * 3600 * 1000));
    o.later = [&db, taskId]() {
        const auto now = findTask(db, taskId);
        if (!now || now->status != kRunning)
            return QVector<QByteArray>();
        db.exec("update soundsource set status = ? where sourceId = ?", {kIdle, taskId});
        return QVector<QByteArray>{TablePush::changed(db, "soundsource", taskId)};
    };
    return o;
}

CommandOutcome timerPlan(SimDatabase &db, const CommandSettings &, const DbpMessage &m)
{
    QByteArray reason;
    const auto b = CommandBody::parse(m.body(), &reason);
    REQUIRE(b);
    REQUIRE(CommandSupport::onlyMembers(*b, {"Action", "Id", "Name", "Comment", "Enable"}, &reason));
    const auto action = b->text("Action", &reason);
    REQUIRE(action);
    QString error;
    if (*action == "Add") {
        REQUIRE(b->integer("Id", -1, INT32_MAX, &reason));
        const auto name = b->nonEmptyText("Name", &reason);
        REQUIRE(name);
        const auto comment = b->text("Comment", &reason);
        REQUIRE(comment);
        const auto enable = b->integer("Enable", 0, 1, &reason);
        REQUIRE(enable);
        const qint64 id = nextKey(db, "timerplan", "timerplanId");
        const int changes = db.exec("insert into timerplan(timerplanId, name, enable, comment) values(?, ?, ?, ?)",
                                    {id, QString::fromUtf8(*name), *enable, QString::fromUtf8(*comment)}, &error);
        CommandOutcome o = pushed(db, "timerplan", id, changes, error);
        // The answer carries the new row, so the console learns the id at once.
        if (o.ok)
            o.answerBody = db.rowsWhere(TableRegistry::named("timerplan"), id);
        return o;
    }
    const auto id = b->integer("Id", 0, INT32_MAX, &reason);
    REQUIRE(id);
    if (!CommandSupport::exists(db, "timerplan", *id))
        return CommandOutcome::refuse("unknown scheme " + QByteArray::number(*id));
    if (*action == "Del") {
        if (*id == kDefaultScheme)
            return CommandOutcome::refuse("scheme 1 is the default scheme and cannot be deleted");
        const auto tasks = db.value("select count(*) from soundsource where sourceCategory = 3 and timerPlanId = ?",
                                    {*id});
        if (tasks && tasks->toLongLong() > 0)
            return CommandOutcome::refuse("scheme " + QByteArray::number(*id) + " still holds tasks");
        return removed(db, "timerplan", *id);
    }
    if (*action != "Mod")
        return CommandOutcome::refuse("unknown Action " + *action);
    const auto name = b->nonEmptyText("Name", &reason);
    REQUIRE(name);
    const auto comment = b->text("Comment", &reason);
    REQUIRE(comment);
    const auto enable = b->integer("Enable", 0, 1, &reason);
    REQUIRE(enable);
    const int changes = db.exec("update timerplan set name = ?, comment = ?, enable = ? where timerplanId = ?",
                                {QString::fromUtf8(*name), QString::fromUtf8(*comment), *enable, *id}, &error);
    return pushed(db, "timerplan", *id, changes, error);
}

} // namespace CommandHandlers
