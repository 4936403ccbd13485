#include "db/InstallationGenerator.h"

#include "db/SimDatabase.h"
#include "db/SqlStatement.h"

#include <sqlite3.h>

#include <algorithm>
#include <functional>

namespace InstallationGenerator {

namespace {

QString ipOf(qint64 n)
{
    return QStringLiteral("10.%1.%2.%3").arg((n >> 16) & 255).arg((n >> 8) & 255).arg(n & 255);
}

bool fill(SimDatabase &db, const QByteArray &sql, qint64 first, qint64 count,
          const std::function<QVector<QVariant>(qint64 id, qint64 i)> &row, QString *error)
{
    SqlStatement st(db.handle(), sql);
    if (!st.isValid()) {
        *error = st.error();
        return false;
    }
    for (qint64 i = 0; i < count; ++i) {
        sqlite3_reset(st.handle());
        st.bind(row(first + i, i));
        if (st.step() != SQLITE_DONE) {
            *error = st.error();
            return false;
        }
    }
    return true;
}

} // namespace

bool generate(SimDatabase &db, int terminals, QString *error)
{
    if (!db.execScript("BEGIN", error))
        return false;
    for (const TableRegistry::Table &t : TableRegistry::tables()) {
        if (t.kind != TableRegistry::Kind::Record && db.exec("delete from \"" + t.name + "\"", {}, error) < 0)
            return false;
    }
    const qint64 n = terminals;
    const qint64 small = std::max<qint64>(2, n / 100);
    auto status = [](qint64 i) { return i % 9 == 0 ? 0 : (i % 5 == 0 ? 2 : 1); };
    auto name = [](const char *zh, const char *en, qint64 i) {
        return i % 2 ? QStringLiteral("%1%2").arg(QString::fromUtf8(zh)).arg(i)
                     : QStringLiteral("%1 %2").arg(QLatin1String(en)).arg(i);
    };
    bool ok = fill(db,
                   "insert into ipamp(terminalId, type, status, name, ip, exten, ver, broVol, power, ampTemp,"
                   " localTemp, speaker) values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                   1, n,
                   [&](qint64 id, qint64 i) {
                       return QVector<QVariant>{id, i % 4 == 3 ? "PT" : "IP", status(i),
                                                name("教学楼广播功放", "Amplifier", id), ipOf(id),
                                                i % 3 ? "--" : "0917", "V3.2.1", int(40 + i % 60), int(i % 2),
                                                int(35 + i % 30), int(28 + i % 10), i % 97 == 0 ? 0 : 1};
                   },
                   error);
    qint64 next = n + 1;
    // The type texts are those of the sample installation: a console builds
    // book entries ("Mic26_201") from them.
    struct Small { const char *table; const char *type; const char *zh; const char *en; };
    const Small families[] = {
        {"mic35", "Mic35", "寻呼话筒", "Paging Mic"},   {"Mic26", "Mic26", "求助终端", "Call Station"},
        {"Mic48", "Mic48", "LED对讲", "LED Station"},   {"m37", "M37", "移动终端", "Mobile"},
        {"capm59", "Cap", "采集盒", "Capture"},         {"tts83", "Tts", "语音合成", "TTS"},
        {"firealarm", "FAlarm", "消防接口", "Fire"},
    };
    for (const Small &f : families) {
        const QByteArray sql = "insert into \"" + QByteArray(f.table)
            + "\"(terminalId, type, status, name, ip, ver) values(?, ?, ?, ?, ?, ?)";
        ok = ok && fill(db, sql, next, small, [&](qint64 id, qint64 i) {
            return QVector<QVariant>{id, f.type, status(i), name(f.zh, f.en, id), ipOf(id), "V1.0.8"};
        }, error);
        next += small;
    }
    // Scheme 1, the default scheme, exists in every installation.
    ok = ok && db.exec("delete from soundsource", {}, error) >= 0 && db.exec("delete from timerplan", {}, error) >= 0;
    ok = ok && db.exec("insert into timerplan(timerplanId, name, enable, comment) values(1, '默认方案', 1, '')", {},
                       error) >= 0;
    ok = ok && db.exec("insert or ignore into users(name, password, level) values('admin', 'admin', 1)", {}, error) >= 0;
    ok = ok && db.exec("insert or ignore into levels(id, name, lv, type) values(1, '高级设置', 1, 4),"
                       " (2, '终端操作', 1, 5)", {}, error) >= 0;
    db.execScript(ok ? "COMMIT" : "ROLLBACK", nullptr);
    return ok;
}

bool generateTasks(SimDatabase &db, int tasks, QString *error)
{
    if (!db.execScript("BEGIN", error))
        return false;
    bool ok = db.exec("delete from soundsource", {}, error) >= 0;
    ok = ok && db.exec("insert or ignore into timerplan(timerplanId, name, enable, comment) values"
                       "(1, '默认方案', 1, ''), (2, 'Generated', 1, 'generated tasks')", {}, error) >= 0;
    const qint64 amplifiers = std::max<qint64>(1, db.count("ipamp"));
    ok = ok && fill(db,
                    "insert into soundsource(sourceId, name, status, sourceCategory, sourceType, timerPlanId,"
                    " sourceContent, playVol, duration, playTimes, openAmp, week, startDate, endDate, executeTime,"
                    " terminalId) values(?, ?, 2, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                    1, tasks,
                    [&](qint64 id, qint64 i) {
                        const int category = int(1 + i % 4);
                        const bool timer = category == 3;
                        const qint64 first = 1 + (i % amplifiers);
                        const QString targets = category == 1 ? QString()
                            : QStringLiteral("%1 %2").arg(first).arg(1 + ((i + 1) % amplifiers));
                        const QString exec = timer ? QStringLiteral("第%1节#$%%2!!!Break %1#$%%3")
                                                         .arg(i % 8 + 1).arg(28800 + (i % 8) * 3600)
                                                         .arg(30600 + (i % 8) * 3600)
                                                   : QString();
                        return QVector<QVariant>{id, i % 2 ? QStringLiteral("任务%1").arg(id)
                                                           : QStringLiteral("Task %1").arg(id),
                                                 category, 1, timer ? 1 + i % 2 : -1,
                                                 QStringLiteral("bell%1.mp3@#$%music%1.mp3").arg(i % 10),
                                                 int(50 + i % 50), timer ? 0 : int(60 + i % 600), timer ? 1 : 0,
                                                 timer ? 5 : 0, timer ? 62 : 0, timer ? 1735689600 : 0, 0, exec,
                                                 targets};
                    },
                    error);
    db.execScript(ok ? "COMMIT" : "ROLLBACK", nullptr);
    return ok;
}

} // namespace InstallationGenerator
