// The server's own settings: system parameters, the administrator's
// password, and backup and restore of the installation database.
#include "commands/CommandHandlers.h"

#include "commands/CommandBody.h"
#include "commands/CommandSupport.h"
#include "db/DatabaseBackup.h"
#include "db/SimDatabase.h"
#include "wire/DbpMessage.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace CommandHandlers {

namespace {

bool isActionMod(const CommandBody &body, QByteArray *reason)
{
    const auto action = body.text("Action", reason);
    if (!action)
        return false;
    if (*action != "Mod") {
        *reason = "Action must be Mod";
        return false;
    }
    return true;
}

// "address:port" with a non-empty address and a port from 1 to 65535.
bool isServerAddress(const QByteArray &value)
{
    const int colon = value.lastIndexOf(':');
    if (colon <= 0)
        return false;
    bool ok = false;
    const int port = value.mid(colon + 1).toInt(&ok);
    return ok && port >= 1 && port <= 65535;
}

// One plain file name: the consoles name their files, never a directory.
bool isPlainFileName(const QByteArray &name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') && !name.contains('\\')
        && !name.contains('\0');
}

QByteArray fileMd5(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash hash(QCryptographicHash::Md5);
    hash.addData(&f);
    return hash.result().toHex();
}

} // namespace

CommandOutcome systemParameter(SimDatabase &db, const CommandSettings &, const DbpMessage &request)
{
    QByteArray reason;
    const auto body = CommandBody::parse(request.body(), &reason);
    if (!body || !CommandSupport::onlyMembers(*body, {"Action", "Name", "Value"}, &reason)
        || !isActionMod(*body, &reason))
        return CommandOutcome::refuse(reason);
    const auto name = body->nonEmptyText("Name", &reason);
    const auto value = name ? body->text("Value", &reason) : std::nullopt;
    if (!value)
        return CommandOutcome::refuse(reason);
    if (!db.value("select value from parameter where name = ?", {QString::fromUtf8(*name)}))
        return CommandOutcome::refuse("unknown parameter " + *name);
    if (*name == "Vad_Ptt_Time_Out" && !CommandBody::inRange(*value, "Value", 0, 86400, &reason))
        return CommandOutcome::refuse(reason);
    if ((*name == "Record_Server" || *name == "Talk_Log_Server") && !isServerAddress(*value))
        return CommandOutcome::refuse("Value must be address:port");
    if (db.exec("update parameter set value = ? where name = ?",
                {QString::fromUtf8(*value), QString::fromUtf8(*name)}) < 0)
        return CommandOutcome::refuse("cannot store the parameter");
    // The server pushes no parameter changes.
    return CommandOutcome::done();
}

CommandOutcome modTalkManagerInfo(SimDatabase &db, const CommandSettings &, const DbpMessage &request)
{
    QByteArray reason;
    const auto body = CommandBody::parse(request.body(), &reason);
    if (!body || !CommandSupport::onlyMembers(*body, {"Action", "Name", "PassWord"}, &reason)
        || !isActionMod(*body, &reason))
        return CommandOutcome::refuse(reason);
    const auto name = body->nonEmptyText("Name", &reason);
    const auto password = name ? body->nonEmptyText("PassWord", &reason) : std::nullopt;
    if (!password)
        return CommandOutcome::refuse(reason);
    const int changed = db.exec("update users set password = ? where name = ?",
                                {QString::fromUtf8(*password), QString::fromUtf8(*name)});
    if (changed <= 0)
        return CommandOutcome::refuse("unknown account " + *name);
    return CommandOutcome::done();
}

CommandOutcome dataBackup(SimDatabase &db, const CommandSettings &settings, const DbpMessage &request)
{
    QByteArray reason;
    const auto body = CommandBody::parse(request.body(), &reason);
    if (!body || !CommandSupport::onlyMembers(*body, {"BackupFile"}, &reason))
        return CommandOutcome::refuse(reason);
    const auto name = body->nonEmptyText("BackupFile", &reason);
    if (!name)
        return CommandOutcome::refuse(reason);
    if (!isPlainFileName(*name))
        return CommandOutcome::refuse("BackupFile must be a plain file name");
    const BackupSettings &b = settings.backup;
    if (b.backupDir.isEmpty() || !QDir().mkpath(b.backupDir))
        return CommandOutcome::refuse("no backup directory");
    const QString file = b.backupDir + QLatin1Char('/') + QString::fromUtf8(*name);
    QString error;
    if (!DatabaseBackup::write(db, file, &error))
        return CommandOutcome::refuse(error.toUtf8());
    QByteArray md5 = fileMd5(file);
    if (md5.isEmpty())
        return CommandOutcome::refuse("cannot read the backup file");
    if (b.corruptFile) {
        QFile f(file);
        if (f.open(QIODevice::ReadWrite) && f.size() > 100) {
            f.seek(100);
            const char c = f.read(1).at(0);
            f.seek(100);
            f.write(QByteArray(1, char(c ^ 0x5a)));
        }
    }
    if (b.upperCaseDigest)
        md5 = md5.toUpper();
    QJsonObject answer;
    if (!b.overrideName)
        answer.insert(QStringLiteral("BackupFile"), QString::fromUtf8(*name));
    else if (!b.answerName.isEmpty())
        answer.insert(QStringLiteral("BackupFile"), b.answerName);
    answer.insert(QStringLiteral("Md5"), QString::fromLatin1(md5));
    CommandOutcome o = CommandOutcome::done();
    o.answerBody = QJsonDocument(answer).toJson(QJsonDocument::Compact) + '\n';
    o.answerDelayMs = b.answerDelayMs;
    return o;
}

CommandOutcome dataRecovery(SimDatabase &db, const CommandSettings &settings, const DbpMessage &request)
{
    QByteArray reason;
    const auto body = CommandBody::parse(request.body(), &reason);
    if (!body || !CommandSupport::onlyMembers(*body, {"Md5", "RecoveryFile"}, &reason))
        return CommandOutcome::refuse(reason);
    const auto name = body->nonEmptyText("RecoveryFile", &reason);
    const auto md5 = name ? body->nonEmptyText("Md5", &reason) : std::nullopt;
    if (!md5)
        return CommandOutcome::refuse(reason);
    if (!isPlainFileName(*name))
        return CommandOutcome::refuse("RecoveryFile must be a plain file name");
    const QString file = settings.backup.recoveryDir + QLatin1Char('/') + QString::fromUtf8(*name);
    if (settings.backup.recoveryDir.isEmpty() || !QFile::exists(file))
        return CommandOutcome::refuse("no such recovery file");
    if (fileMd5(file) != md5->toLower())
        return CommandOutcome::refuse("digest does not match the recovery file");
    QString error;
    if (!DatabaseBackup::restore(db, file, &error))
        return CommandOutcome::refuse(error.toUtf8());
    CommandOutcome o = CommandOutcome::done();
    o.endSessions = true;
    return o;
}

} // namespace CommandHandlers
