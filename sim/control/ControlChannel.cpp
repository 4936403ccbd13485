#include "control/ControlChannel.h"

#include "commands/TablePush.h"
#include "commands/LevelList.h"
#include "control/LiveMode.h"
#include "db/JsonRows.h"
#include "db/SimDatabase.h"
#include "db/SqlStatement.h"
#include "server/SimServer.h"
#include "wire/DbpWriter.h"

#include <QRegularExpression>

#include <algorithm>

#include <sqlite3.h>

namespace {

QString ok(const QString &text = QString())
{
    return text.isEmpty() ? QStringLiteral("ok") : QStringLiteral("ok ") + text;
}

QString error(const QString &text)
{
    return QStringLiteral("error ") + text;
}

// The words after the first `skip` ones, as they were typed (blanks kept).
QString rest(const QString &line, int skip)
{
    QString s = line.trimmed();
    for (int i = 0; i < skip; ++i) {
        const int blank = s.indexOf(' ');
        s = blank < 0 ? QString() : s.mid(blank + 1).trimmed();
    }
    return s;
}

// A record's key as typed: a number binds as an integer, anything else as text.
QVariant keyOf(const QString &text)
{
    bool isNumber = false;
    const qint64 n = text.toLongLong(&isNumber);
    return isNumber ? QVariant(n) : QVariant(text);
}

const char sampleBroadcastList[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<BroadcastList>\n"
    "  <Broadcast id=\"1\" name=\"早操广播\" source=\"101\" terminals=\"1 2 3\"/>\n"
    "</BroadcastList>\n";

} // namespace

ControlChannel::ControlChannel(SimServer &server, LiveMode &live, MediaControl media)
    : m_server(server), m_live(live), m_media(std::move(media))
{
}

QString ControlChannel::helpText()
{
    return QStringLiteral(
        "Control commands (standard input, one per line; each answered by one line \"ok ...\" or \"error ...\"):\n"
        "  help                              list the commands on one line\n"
        "  status ID VALUE                   set a terminal's status (any family) and push its row\n"
        "  temp ID AMPTEMP [LOCALTEMP]       set an amplifier's temperatures and push its row\n"
        "  speaker ID 0|1|2                  set an amplifier's loudspeaker line (open/pass/short) and push\n"
        "  set ID COLUMN VALUE               set any column of a terminal's row and push it\n"
        "  set TABLE KEY COLUMN VALUE        set a column of the record KEY of a registered table and push it\n"
        "  push TABLE KEY                    push the current rows of the record KEY of a registered table\n"
        "  sql STATEMENT                     run one SQL statement (no push); replies ok <changed rows>\n"
        "  delete TYPE ID                    send a DELETE message (Packet-Type TYPE, Id ID) to all consoles\n"
        "  delete TABLE ID                   remove the record of a registered table and send its DELETE message\n"
        "  conflict ID [ID...]               send a TerminalConflict notification naming these terminals\n"
        "  levels [id:name:lv:type,...]      replace the levels (if given) and push a LevelList\n"
        "  broadcastlist [XML]               push a BroadcastList body (a sample if none given)\n"
        "  notify TYPE SUBTYPE|- BODY        push any notification\n"
        "  live on [MS] | live off | live step   demo mode: a terminal changes state every MS (2000)\n"
        "  fault WORDS | fault clear | fault      set, clear or show fault injection (see --help)\n"
        "  send malformed | send oversized   send a garbage message / a gigantic Content-Length now\n"
        "  log                               ok <base64 of every byte received so far>\n"
        "  log size | log clear              byte count of the log / empty it\n"
        "  sessions                          ok <number of open console connections>\n"
        "  kick                              close every console connection\n"
        "  media ARGS...                     forwarded to the media service\n"
        "  backup dir | backup recoverydir   ok <directory DataBackup writes to / DataRecovery reads from>\n"
        "  backup delay MS                   DataBackup answers MS later (a large backup); 0 = at once\n"
        "  backup upper on|off               DataBackup answers its digest in capitals\n"
        "  backup corrupt on|off             DataBackup damages the file after taking its digest\n"
        "  backup answername NAME|none|off   DataBackup answers another file name / none / its own\n"
        "  quit                              reply ok and exit\n");
}

QString ControlChannel::execute(const QString &line)
{
    const QStringList w = line.simplified().split(' ', Qt::SkipEmptyParts);
    const QString cmd = w.value(0);
    SimDatabase &db = m_server.database();
    bool isNumber = false;
    const qint64 id = w.value(1).toLongLong(&isNumber);

    if (cmd.isEmpty())
        return error(QStringLiteral("empty command"));
    if (cmd == QLatin1String("help"))
        return ok(QStringLiteral("status temp speaker set push sql delete conflict levels broadcastlist notify "
                                 "live fault send log sessions kick media backup quit"));
    if (cmd == QLatin1String("status") && w.size() == 3 && isNumber)
        return setColumn(id, QStringLiteral("status"), w[2]);
    if (cmd == QLatin1String("temp") && (w.size() == 3 || w.size() == 4) && isNumber) {
        const QString r = setColumn(id, QStringLiteral("ampTemp"), w[2]);
        return w.size() == 4 && r.startsWith(QLatin1String("ok")) ? setColumn(id, QStringLiteral("localTemp"), w[3]) : r;
    }
    if (cmd == QLatin1String("speaker") && w.size() == 3 && isNumber) {
        if (w[2] != QLatin1String("0") && w[2] != QLatin1String("1") && w[2] != QLatin1String("2"))
            return error(QStringLiteral("speaker state is 0, 1 or 2"));
        return setColumn(id, QStringLiteral("speaker"), w[2]);
    }
    if (cmd == QLatin1String("set") && w.size() >= 4 && isNumber)
        return setColumn(id, w[2], rest(line, 3));
    if (cmd == QLatin1String("set") && w.size() >= 5) {
        const TableRegistry::Table *t = TableRegistry::find(w[1].toUtf8());
        if (!t)
            return error(QStringLiteral("unknown table ") + w[1]);
        return setColumn(*t, keyOf(w[2]), w[3], rest(line, 4));
    }
    if (cmd == QLatin1String("push") && w.size() == 3) {
        const TableRegistry::Table *t = TableRegistry::find(w[1].toUtf8());
        if (!t)
            return error(QStringLiteral("unknown table ") + w[1]);
        m_server.push(TablePush::changed(db, *t, keyOf(w[2])));
        return ok();
    }
    if (cmd == QLatin1String("sql") && w.size() > 1) {
        QString err;
        const int changes = db.exec(rest(line, 1).toUtf8(), {}, &err);
        return changes < 0 ? error(err) : ok(QString::number(changes));
    }
    if (cmd == QLatin1String("delete") && w.size() == 3 && w[2].toInt(&isNumber) >= 0 && isNumber)
        return deleteRecord(w[1].toUtf8(), w[2].toInt());
    if (cmd == QLatin1String("conflict") && w.size() > 1)
        return conflict(w.mid(1));
    if (cmd == QLatin1String("levels")) {
        QString err;
        if (w.size() > 1 && !LevelList::replace(db, rest(line, 1), &err))
            return error(err);
        m_server.push(DbpWriter::notification("LevelList", QByteArray(), LevelList::xml(db)));
        return ok();
    }
    if (cmd == QLatin1String("broadcastlist")) {
        const QByteArray body = w.size() > 1 ? rest(line, 1).toUtf8() : QByteArray(sampleBroadcastList);
        m_server.push(DbpWriter::notification("BroadcastList", QByteArray(), body));
        return ok();
    }
    if (cmd == QLatin1String("notify") && w.size() >= 3) {
        const QByteArray subtype = w[2] == QLatin1String("-") ? QByteArray() : w[2].toUtf8();
        m_server.push(DbpWriter::notification(w[1].toUtf8(), subtype, rest(line, 3).toUtf8()));
        return ok();
    }
    if (cmd == QLatin1String("live")) {
        if (w.value(1) == QLatin1String("on")) {
            const int ms = w.size() > 2 ? w[2].toInt() : 2000;
            if (ms <= 0)
                return error(QStringLiteral("interval must be positive"));
            m_live.start(ms);
            return ok(QString::number(ms));
        }
        if (w.value(1) == QLatin1String("off")) {
            m_live.stop();
            return ok();
        }
        if (w.value(1) == QLatin1String("step"))
            return ok(m_live.step());
        return error(QStringLiteral("live on [MS] | live off | live step"));
    }
    if (cmd == QLatin1String("fault")) {
        if (w.size() == 1)
            return ok(m_server.faults().describe());
        const QString err = m_server.faults().apply(w.mid(1));
        return err.isEmpty() ? ok(m_server.faults().describe()) : error(err);
    }
    if (cmd == QLatin1String("send") && w.size() == 2) {
        if (w[1] == QLatin1String("malformed"))
            m_server.sendRawToAll(FaultPlan::garbageMessage());
        else if (w[1] == QLatin1String("oversized"))
            m_server.sendRawToAll(FaultPlan::oversizedAnswer(0));
        else
            return error(QStringLiteral("send malformed | send oversized"));
        return ok();
    }
    if (cmd == QLatin1String("log")) {
        if (w.size() == 1)
            return ok(QString::fromLatin1(m_server.log().bytes().toBase64()));
        if (w[1] == QLatin1String("size"))
            return ok(QString::number(m_server.log().bytes().size()));
        if (w[1] == QLatin1String("clear")) {
            m_server.log().clear();
            return ok();
        }
        return error(QStringLiteral("log | log size | log clear"));
    }
    if (cmd == QLatin1String("sessions"))
        return ok(QString::number(m_server.sessionCount()));
    if (cmd == QLatin1String("kick")) {
        m_server.closeAll();
        return ok();
    }
    if (cmd == QLatin1String("media")) {
        if (!m_media)
            return error(QStringLiteral("no media service in this build"));
        return m_media(w.mid(1));
    }
    if (cmd == QLatin1String("backup"))
        return backup(w.mid(1));
    if (cmd == QLatin1String("quit")) {
        m_quit = true;
        return ok();
    }
    return error(QStringLiteral("unknown or malformed command: ") + line.trimmed());
}

QString ControlChannel::setColumn(qint64 id, const QString &column, const QString &value)
{
    const auto t = m_server.database().findTerminal(id);
    if (!t)
        return error(QStringLiteral("unknown terminal %1").arg(id));
    return setColumn(*t->table, id, column, value);
}

QString ControlChannel::setColumn(const TableRegistry::Table &table, const QVariant &key, const QString &column,
                                  const QString &value)
{
    SimDatabase &db = m_server.database();
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!identifier.match(column).hasMatch() || column.toUtf8() == table.keyColumn
        || !db.value("select 1 from pragma_table_info('" + table.name + "') where name = ?", {column}))
        return error(QStringLiteral("%1 has no column %2").arg(QString::fromUtf8(table.name), column));
    QString err;
    const int changes = db.exec("update \"" + table.name + "\" set \"" + column.toUtf8() + "\" = ? where \""
                                    + table.keyColumn + "\" = ?",
                                {value, key}, &err);
    if (changes < 0)
        return error(err);
    if (changes == 0)
        return error(QStringLiteral("%1 has no record %2").arg(QString::fromUtf8(table.name), key.toString()));
    m_server.push(TablePush::changed(db, table, key));
    return ok();
}

QString ControlChannel::deleteRecord(const QByteArray &type, int id)
{
    // A DELETE type is sent as it is (also one no console knows); a table name
    // removes the record as another console's removal would, and tells every console.
    const auto &tables = TableRegistry::tables();
    const bool isDeleteType = std::any_of(tables.begin(), tables.end(),
                                          [&](const TableRegistry::Table &t) { return t.deleteType == type; });
    const TableRegistry::Table *t = isDeleteType ? nullptr : TableRegistry::find(type);
    if (!t) {
        m_server.push(DbpWriter::deleteMessage(type, id));
        return ok();
    }
    if (t->deleteType.isEmpty())
        return error(QStringLiteral("%1 has no DELETE message").arg(QString::fromUtf8(t->name)));
    SimDatabase &db = m_server.database();
    if (!db.value("select 1 from \"" + t->name + "\" where \"" + t->keyColumn + "\" = ?", {id}))
        return error(QStringLiteral("%1 has no record %2").arg(QString::fromUtf8(t->name)).arg(id));
    QString err;
    if (!db.removeRecord(*t, id, &err))
        return error(err);
    m_server.push(TablePush::deleted(*t, id));
    return ok();
}

QString ControlChannel::conflict(const QStringList &ids)
{
    SimDatabase &db = m_server.database();
    std::string body = "[";
    for (const QString &idText : ids) {
        const auto t = db.findTerminal(idText.toLongLong());
        if (!t)
            return error(QStringLiteral("unknown terminal ") + idText);
        const QByteArray ip = db.value("select ip from \"" + t->table->name + "\" where \"" + t->table->keyColumn
                                           + "\" = ?",
                                       {idText.toLongLong()}).value_or(QByteArray());
        if (body.size() > 1)
            body += ',';
        body += "{\"ip\":" + JsonRows::quoted(ip).toStdString() + ",\"name\":" + JsonRows::quoted(t->name).toStdString()
            + ",\"terminalId\":" + JsonRows::quoted(idText.toUtf8()).toStdString()
            + ",\"type\":" + JsonRows::quoted(t->type).toStdString() + "}";
    }
    body += ']';
    m_server.push(DbpWriter::notification("TerminalConflict", QByteArray(), QByteArray::fromStdString(body)));
    return ok();
}

QString ControlChannel::backup(const QStringList &w)
{
    BackupSettings &b = m_server.commandSettings().backup;
    const QString what = w.value(0);
    if (w.size() == 1 && what == QLatin1String("dir"))
        return ok(b.backupDir);
    if (w.size() == 1 && what == QLatin1String("recoverydir"))
        return ok(b.recoveryDir);
    bool isNumber = false;
    const int ms = w.value(1).toInt(&isNumber);
    if (w.size() == 2 && what == QLatin1String("delay") && isNumber && ms >= 0) {
        b.answerDelayMs = ms;
        return ok(QString::number(ms));
    }
    if (w.size() == 2 && what == QLatin1String("answername")) {
        b.overrideName = w[1] != QLatin1String("off");
        b.answerName = w[1] == QLatin1String("none") || !b.overrideName ? QString() : w[1];
        return ok(w[1]);
    }
    const bool on = w.value(1) == QLatin1String("on");
    if (w.size() == 2 && (on || w.value(1) == QLatin1String("off"))) {
        if (what == QLatin1String("upper")) {
            b.upperCaseDigest = on;
            return ok(w.value(1));
        }
        if (what == QLatin1String("corrupt")) {
            b.corruptFile = on;
            return ok(w.value(1));
        }
    }
    return error(QStringLiteral("backup dir | backup recoverydir | backup delay MS | backup upper on|off | "
                                "backup corrupt on|off | backup answername NAME|none|off"));
}
