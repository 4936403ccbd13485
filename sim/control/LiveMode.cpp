#include "control/LiveMode.h"

#include "commands/TablePush.h"
#include "db/SimDatabase.h"
#include "server/SimServer.h"

#include <iterator>

LiveMode::LiveMode(SimServer &server, QObject *parent)
    : QObject(parent), m_server(server)
{
    connect(&m_timer, &QTimer::timeout, this, [this]() { step(); });
}

void LiveMode::start(int intervalMs)
{
    m_timer.start(intervalMs);
}

void LiveMode::stop()
{
    m_timer.stop();
}

QString LiveMode::step()
{
    static const char *tables[] = {"ipamp", "ipamp", "ipamp", "mic35", "Mic26", "Mic48", "capm59", "tts83"};
    const TableRegistry::Table &t = TableRegistry::named(tables[m_random.bounded(int(std::size(tables)))]);
    const QByteArray &table = t.name;
    SimDatabase &db = m_server.database();
    const auto id = db.value("select \"" + t.keyColumn + "\" from \"" + table + "\" order by random() limit 1", {});
    if (!id)
        return QStringLiteral("nothing to change");
    QByteArray column = "status";
    int value = 0;
    const int roll = int(m_random.bounded(10));
    if (table == "ipamp" && roll < 4) {
        column = "ampTemp";
        value = 30 + int(m_random.bounded(45));
    } else {
        // Mostly idle, sometimes busy, now and then offline.
        value = roll < 2 ? 0 : (roll < 7 ? 1 : 2 + int(m_random.bounded(3)));
    }
    db.exec("update \"" + table + "\" set " + column + " = ? where \"" + t.keyColumn + "\" = ?",
            {value, id->toLongLong()});
    m_server.push(TablePush::changed(db, t, id->toLongLong()));
    return QStringLiteral("%1 %2 %3 %4").arg(QString::fromUtf8(table), QString::fromUtf8(*id),
                                            QString::fromUtf8(column)).arg(value);
}
