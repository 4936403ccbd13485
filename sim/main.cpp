// talkback-sim: the installation simulator. See README.md and --help.
#include "commands/LevelList.h"
#include "control/ControlChannel.h"
#include "control/LiveMode.h"
#include "control/SimOptions.h"
#include "control/StdinReader.h"
#include "db/InstallationGenerator.h"
#include "db/SimDatabase.h"
#include "media/SimMediaService.h"
#include "server/SimServer.h"


#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

int fail(const QString &text)
{
    std::fprintf(stderr, "talkback-sim: %s\n", qPrintable(text));
    return 1;
}

void reply(const QString &line)
{
    const QByteArray text = line.toUtf8() + '\n';
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
}

bool populate(SimDatabase &db, const SimOptions &o, QString *error)
{
    if (o.terminals > 0)
        return InstallationGenerator::generate(db, o.terminals, error);
    // A database file that already holds an installation is used as it is.
    if (db.count("users") > 0 || db.count("ipamp") > 0)
        return true;
    if (o.noSeed) {
        return db.execScript("insert into users(name, password, level) values('admin', 'admin', 1);"
                             "insert into levels(id, name, lv, type) values(1, '高级设置', 1, 4), (2, '终端操作', 1, 5);",
                             error);
    }
    QFile seed(o.seed.isEmpty() ? QStringLiteral(":/talkback-sim/sample-installation.sql") : o.seed);
    if (!seed.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1").arg(seed.fileName());
        return false;
    }
    return db.execScript(seed.readAll(), error);
}

// The sample logs, with their recordings below the media store being
// served; the talk-log server parameter when one is named.
bool populateLogs(SimDatabase &db, const SimOptions &o, const QString &mediaRoot, QString *error)
{
    if (!o.noSeed && db.count("talklog") == 0 && db.count("userlog") == 0 && db.count("terminallog") == 0) {
        QFile logs(QStringLiteral(":/talkback-sim/sample-logs.sql"));
        if (!logs.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read the sample logs");
            return false;
        }
        QByteArray sql = logs.readAll();
        QByteArray root = mediaRoot.toUtf8();
        root.replace('\'', "''");
        sql.replace("@ROOT@", root);
        if (!db.execScript(sql, error))
            return false;
    }
    if (o.logServer.isEmpty())
        return true;
    QByteArray value = o.logServer.toUtf8();
    value.replace('\'', "''");
    return db.execScript("insert or replace into parameter(name, value) values('Talk_Log_Server', '" + value + "');",
                         error);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("talkback-sim"));
    Q_INIT_RESOURCE(sim_data);

    SimOptions options;
    int exitCode = 0;
    if (!options.parse(app.arguments(), &exitCode))
        return exitCode;

    SimDatabase db;
    QString error;
    if (!db.open(options.database, &error))
        return fail(QStringLiteral("cannot open the database: ") + error);
    if (!populate(db, options, &error)
        || (options.tasks >= 0 && !InstallationGenerator::generateTasks(db, options.tasks, &error)))
        return fail(QStringLiteral("cannot build the installation: ") + error);
    if (!options.levels.isEmpty() && !LevelList::replace(db, options.levels, &error))
        return fail(error);

    SimServer server(db);
    server.listLimits() = {options.maxRows, options.maxBytes};
    server.commandSettings().speakerCheckMs = options.speakerCheckMs;
    server.commandSettings().taskSecondMs = options.taskSecondMs;
    for (const QString &f : options.faults) {
        const QString err = server.faults().apply(f.simplified().split(' ', Qt::SkipEmptyParts));
        if (!err.isEmpty())
            return fail(err);
    }
    if (!options.logFile.isEmpty() && !server.log().openFile(options.logFile))
        return fail(QStringLiteral("cannot open ") + options.logFile);
    if (!server.listen(options.listen, options.port))
        return fail(QStringLiteral("cannot listen on port %1: %2").arg(options.port).arg(server.errorString()));

    SimMediaService media(options.mediaRoot);
    if (!media.listen(options.listen, options.mediaPort))
        return fail(
            QStringLiteral("cannot listen on media port %1: %2").arg(options.mediaPort).arg(media.errorString()));
    // Backups are written and restores read in the simulator's own temporary
    // directory, served under the server paths the consoles name, so that
    // simulators running side by side never share a file.
    QTemporaryDir transferDir;
    if (!transferDir.isValid())
        return fail(QStringLiteral("cannot create a temporary directory"));
    BackupSettings &backup = server.commandSettings().backup;
    backup.backupDir = transferDir.filePath(QStringLiteral("databackup"));
    backup.recoveryDir = transferDir.filePath(QStringLiteral("datarecovery"));
    if (!QDir().mkpath(backup.backupDir) || !QDir().mkpath(backup.recoveryDir))
        return fail(QStringLiteral("cannot create the backup directories"));
    media.mapDirectory(QStringLiteral("/tmp/databackup"), backup.backupDir);
    media.mapDirectory(QStringLiteral("/tmp/datarecovery"), backup.recoveryDir);

    if (!populateLogs(db, options, media.mediaRoot(), &error))
        return fail(QStringLiteral("cannot build the logs: ") + error);
    const ControlChannel::MediaControl mediaControl = [&media](const QStringList &args) { return media.control(args); };

    LiveMode live(server);
    if (options.liveMs > 0)
        live.start(options.liveMs);
    ControlChannel control(server, live, mediaControl);

    reply(QStringLiteral("talkback-sim listening dbp=%1 media=%2").arg(server.port()).arg(media.port()));

    StdinReader input;
    QObject::connect(&input, &StdinReader::line, &app, [&](const QString &line) {
        if (line.trimmed().isEmpty())
            return;
        reply(control.execute(line));
        if (control.quitRequested())
            QCoreApplication::quit();
    });
    QObject::connect(&input, &StdinReader::endOfInput, &app, [&]() {
        if (!options.keepRunning)
            QCoreApplication::quit();
    });
    return app.exec();
}
