#include "control/SimOptions.h"

#include "control/ControlChannel.h"

#include <QCommandLineParser>

#include <cstdio>

namespace {

const char faultHelp[] =
    "Fault injection (--fault WORDS, repeatable; at run time \"fault WORDS\"):\n"
    "  refuse NAME[,NAME]   answer these requests 400 FAILED. NAME is a Packet-Type (IpAmpSet,\n"
    "                       TalkManagerLogin, SqlConfig, GetSystemTime), PlayTermConfig, ONLINE,\n"
    "                       or SqlConfig/<list name> (SqlConfig/TerminalList)\n"
    "  ignore NAME[,NAME]   never answer these requests\n"
    "  no-keepalive         never answer ONLINE (same as ignore ONLINE)\n"
    "  delay MS             hold every answer and push MS milliseconds\n"
    "  chunk BYTES          write everything in pieces of BYTES bytes, 2 ms apart (0 = off)\n"
    "  close-after N        close a connection after answering its Nth request (0 = off)\n"
    "  malformed-next       the next answer carries a body that is not valid JSON\n"
    "  oversized-next       the next answer announces Content-Length:2147483647\n"
    "  push-first NAME[,NAME]  send the pushes of these commands before their answer (TimerPlan)\n"
    "  bare-answer NAME[,NAME] answer these commands 200 OK without a body\n"
    "  no-delete-push       removals are answered, their DELETE message is not pushed\n"
    "  clear                remove every fault\n";

const char answerHelp[] =
    "Answer bound: a SqlConfig list answer holds at most --max-rows rows (default 200000) and\n"
    "--max-bytes body bytes (default 134217728); a larger answer is refused with 400 FAILED and\n"
    "the reason \"answer exceeds ...\" instead of being cut. Requests themselves are limited to a\n"
    "64 KiB header block and a 16 MiB body; a connection that breaks them is closed.\n";

} // namespace

bool SimOptions::parse(const QStringList &arguments, int *exitCode)
{
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Installation simulator: a DBP/1.0 server over an SQLite installation database.\n"
        "Once listening it prints one line: talkback-sim listening dbp=<port> media=<port>\n"
        "Accounts of the sample installation: admin/admin, operator/123456, 值班员/888888.\n\n")
        + QString::fromUtf8(answerHelp) + '\n' + QString::fromUtf8(faultHelp) + '\n' + ControlChannel::helpText());
    p.addHelpOption();
    const QCommandLineOption portOpt("port", "DBP port (default 8999; 0 = any free port).", "N", "8999");
    const QCommandLineOption listenOpt("listen", "Address to listen on (default 127.0.0.1).", "ADDR", "127.0.0.1");
    const QCommandLineOption mediaPortOpt("media-port", "Media file port (default 8906; 0 = any free port).", "N",
                                          "8906");
    const QCommandLineOption mediaRootOpt("media-root", "Media store directory (default: a temporary sample store).",
                                          "DIR");
    const QCommandLineOption dbOpt("db", "Keep the installation in this SQLite file (default: in memory). An existing "
                                         "file with terminals or accounts is used as it is.", "FILE");
    const QCommandLineOption seedOpt("seed", "Load this SQL file instead of the built-in sample installation.", "FILE");
    const QCommandLineOption noSeedOpt("no-seed", "Start with empty tables (plus admin/admin and the default levels).");
    const QCommandLineOption termOpt("terminals", "Generate an installation of N IP amplifiers plus max(2, N/100) "
                                                  "terminals of each other family, instead of the sample.", "N");
    const QCommandLineOption levelsOpt("levels", "Permission levels pushed after login, as id:name:lv:type,... "
                                                 "(default 1:高级设置:1:4,2:终端操作:1:5).", "LIST");
    const QCommandLineOption faultOpt("fault", "Inject a fault (see below); repeatable.", "WORDS");
    const QCommandLineOption liveOpt("live", "Demo mode: one terminal changes state every MS milliseconds.", "MS");
    const QCommandLineOption spkOpt("speaker-check-ms", "Time a loudspeaker check takes (default 1500).", "MS", "1500");
    const QCommandLineOption rowsOpt("max-rows", "Most rows one list answer may hold (default 200000).", "N", "200000");
    const QCommandLineOption bytesOpt("max-bytes", "Most body bytes one list answer may hold (default 134217728).",
                                      "N", "134217728");
    const QCommandLineOption tasksOpt("tasks", "Replace the sound-source tasks with N generated tasks (ids 1..N)"
                                               " in schemes 1 and 2.", "N");
    const QCommandLineOption taskSecondOpt("task-second-ms", "How long one second of a task's play time lasts"
                                                     " (default 1000).", "MS", "1000");
    const QCommandLineOption logOpt("log-file", "Also append every received byte to this file.", "FILE");
    const QCommandLineOption logServerOpt("log-server", "Name this log database as the talk-log server "
                                                        "(parameter Talk_Log_Server), as ADDR:PORT.", "ADDR:PORT");
    const QCommandLineOption keepOpt("keep-running", "Keep running when standard input ends (default: exit).");
    p.addOptions({portOpt, listenOpt, mediaPortOpt, mediaRootOpt, dbOpt, seedOpt, noSeedOpt, termOpt, levelsOpt,
                  faultOpt, liveOpt, spkOpt, rowsOpt, bytesOpt, tasksOpt, taskSecondOpt, logOpt, logServerOpt,
                  keepOpt});
    if (!p.parse(arguments)) {
        std::fprintf(stderr, "talkback-sim: %s\n", qPrintable(p.errorText()));
        *exitCode = 2;
        return false;
    }
    if (p.isSet("help")) {
        std::fputs(qPrintable(p.helpText()), stdout);
        *exitCode = 0;
        return false;
    }
    auto number = [&](const QCommandLineOption &o, qint64 min, qint64 max, qint64 *out) {
        bool ok = false;
        const qint64 v = p.value(o).toLongLong(&ok);
        if (!ok || v < min || v > max) {
            std::fprintf(stderr, "talkback-sim: --%s wants a number from %lld to %lld\n",
                         qPrintable(o.names().first()), min, max);
            return false;
        }
        *out = v;
        return true;
    };
    qint64 v = 0;
    *exitCode = 2;
    if (!number(portOpt, 0, 65535, &v))
        return false;
    port = quint16(v);
    if (!number(mediaPortOpt, 0, 65535, &v))
        return false;
    mediaPort = quint16(v);
    if (!listen.setAddress(p.value(listenOpt))) {
        std::fprintf(stderr, "talkback-sim: bad --listen address\n");
        return false;
    }
    if (p.isSet(termOpt)) {
        if (!number(termOpt, 1, 10000000, &v))
            return false;
        terminals = int(v);
    }
    if (p.isSet(liveOpt)) {
        if (!number(liveOpt, 1, 3600000, &v))
            return false;
        liveMs = int(v);
    }
    if (!number(spkOpt, 0, 600000, &v))
        return false;
    speakerCheckMs = int(v);
    if (p.isSet(tasksOpt)) {
        if (!number(tasksOpt, 0, 1000000, &v))
            return false;
        tasks = int(v);
    }
    if (!number(taskSecondOpt, 0, 600000, &v))
        return false;
    taskSecondMs = int(v);
    if (!number(rowsOpt, 1, INT32_MAX, &maxRows) || !number(bytesOpt, 1024, qint64(1) << 40, &maxBytes))
        return false;
    mediaRoot = p.value(mediaRootOpt);
    database = p.value(dbOpt);
    seed = p.value(seedOpt);
    noSeed = p.isSet(noSeedOpt);
    levels = p.value(levelsOpt);
    faults = p.values(faultOpt);
    logFile = p.value(logOpt);
    logServer = p.value(logServerOpt);
    keepRunning = p.isSet(keepOpt);
    *exitCode = 0;
    return true;
}
