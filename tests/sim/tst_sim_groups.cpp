// The simulator's call-service groups and broadcast regions: the commands
// with literal DBP texts, their refusals and pushes, the lists and the
// control channel's removal.
#include "DbpTestClient.h"
#include "SimProcess.h"

#include <QtTest>

namespace {

bool loggedIn(DbpTestClient &c, SimProcess &sim)
{
    return c.connectTo(sim.dbpPort()) && c.login(1, "admin", "admin").startsWith("DBP/1.0 200 OK")
        && c.next().contains("<LevelList>");
}

QByteArray listBody(DbpTestClient &c, int cseq, const QByteArray &sql)
{
    c.send(DbpTestClient::list(cseq, "Check", sql));
    return DbpTestClient::body(c.next());
}

} // namespace

class TestSimGroups : public QObject
{
    Q_OBJECT
private slots:
    void sampleRowsAreListed();
    void commands_data();
    void commands();
    void refusalChangesNothing();
    void controlChannelRemovesAndPushes();
};

void TestSimGroups::sampleRowsAreListed()
{
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(loggedIn(c, sim));
    QCOMPARE(listBody(c, 5, "select * from callservergroup where groupId = 2"),
             QByteArray(R"([{"groupId":"2","name":"Security Team","callWaitRule":"5","ringTime":"45",)"
                        R"("terminalId":"105 103 101"}])"));
    QCOMPARE(listBody(c, 6, "select * from region where regionId in (3, 4)"),
             QByteArray(R"([{"regionId":"3","name":"宿舍区","terminalId":"13 14 301 201"},)"
                        R"({"regionId":"4","name":"Empty Region","terminalId":""}])"));
    // Every region a microphone book names exists, and so does every group
    // a button or a transfer entry calls.
    QCOMPARE(listBody(c, 7, "select count(*) as n from m35broadcast where regionId not in (select regionId from region)"),
             QByteArray(R"([{"n":"0"}])"));
    QCOMPARE(listBody(c, 8, "select count(*) as n from m26buttoncall where groupId != 0 and groupId not in "
                            "(select groupId from callservergroup)"),
             QByteArray(R"([{"n":"0"}])"));
    QCOMPARE(listBody(c, 9, "select count(*) as n from m35transfercall where transferType = 10 and transferId "
                            "not in (select groupId from callservergroup)"),
             QByteArray(R"([{"n":"0"}])"));
}

void TestSimGroups::commands_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("push");    // the whole push; empty: refused
    QTest::addColumn<QByteArray>("reason");  // text the refusal must contain

    const auto group = [](const QByteArray &action, const QByteArray &id, const QByteArray &mics,
                          const QByteArray &rule = "1", const QByteArray &name = "夜班") {
        return "{\"Action\":\"" + action + "\",\"CallWaitRule\":\"" + rule + "\",\"Id\":\"" + id
            + "\",\"Mic35Id\":\"" + mics + "\",\"Name\":\"" + name + "\",\"RingTime\":\"30\"}\n";
    };
    const auto region = [](const QByteArray &action, const QByteArray &id, const QByteArray &members,
                           const QByteArray &name = "Hall") {
        return "{\"Action\":\"" + action + "\",\"Id\":\"" + id + "\",\"Name\":\"" + name + "\",\"TerminalId\":\""
            + members + "\"}\n";
    };
    const auto push = [](const QByteArray &subtype, const QByteArray &rows) {
        return "POST DBP/1.0\r\nPacket-Type:SqlConfig\r\nPacket-Subtype:" + subtype + "\r\nContent-Length:"
            + QByteArray::number(rows.size()) + "\r\n\r\n" + rows;
    };

    QTest::newRow("group add") << QByteArray("CallService") << group("Add", "9", "103  101", "5")
                               << push("callservergroup", R"([{"groupId":"9","name":"夜班","callWaitRule":"5",)"
                                                          R"("ringTime":"30","terminalId":"103 101"}])")
                               << QByteArray();
    QTest::newRow("group mod") << QByteArray("CallService") << group("Mod", "1", "", "2")
                               << push("callservergroup", R"([{"groupId":"1","name":"夜班","callWaitRule":"2",)"
                                                          R"("ringTime":"30","terminalId":""}])")
                               << QByteArray();
    QTest::newRow("group del") << QByteArray("CallService") << group("Del", "2", "105")
                               << QByteArray("DELETE DBP/1.0\r\nPacket-Type:MicGroup\r\nId: 2\r\nContent-Length:0\r\n\r\n")
                               << QByteArray();
    QTest::newRow("group add twice") << QByteArray("CallService") << group("Add", "1", "101") << QByteArray()
                                     << QByteArray("group 1 exists already");
    QTest::newRow("group mod unknown") << QByteArray("CallService") << group("Mod", "42", "101") << QByteArray()
                                       << QByteArray("unknown group 42");
    QTest::newRow("group del unknown") << QByteArray("CallService") << group("Del", "42", "") << QByteArray()
                                       << QByteArray("unknown group 42");
    QTest::newRow("group member unknown") << QByteArray("CallService") << group("Mod", "1", "101 999")
                                          << QByteArray() << QByteArray("unknown terminal 999");
    QTest::newRow("group member of another kind") << QByteArray("CallService") << group("Mod", "1", "201")
                                                  << QByteArray() << QByteArray("terminal 201 is a Mic26 terminal");
    QTest::newRow("group member twice") << QByteArray("CallService") << group("Mod", "1", "101 102 101")
                                        << QByteArray() << QByteArray("names 101 twice");
    QTest::newRow("group rule 0") << QByteArray("CallService") << group("Mod", "1", "101", "0") << QByteArray()
                                  << QByteArray("CallWaitRule must be a number from 1 to 5");
    QTest::newRow("group rule 6") << QByteArray("CallService") << group("Add", "9", "101", "6") << QByteArray()
                                  << QByteArray("CallWaitRule must be a number from 1 to 5");
    QTest::newRow("group without name") << QByteArray("CallService") << group("Add", "9", "101", "1", "")
                                        << QByteArray() << QByteArray("Name must not be empty");
    QTest::newRow("group bad action") << QByteArray("CallService") << group("Set", "1", "101") << QByteArray()
                                      << QByteArray("Action must be Add, Mod or Del");
    QTest::newRow("region add") << QByteArray("BroadRegion") << region("Add", "7", "4 201 301")
                                << push("region", R"([{"regionId":"7","name":"Hall","terminalId":"4 201 301"}])")
                                << QByteArray();
    QTest::newRow("region mod empties") << QByteArray("BroadRegion") << region("Mod", "2", "", "操场")
                                        << push("region", R"([{"regionId":"2","name":"操场","terminalId":""}])")
                                        << QByteArray();
    QTest::newRow("region del") << QByteArray("BroadRegion") << region("Del", "3", "")
                                << QByteArray("DELETE DBP/1.0\r\nPacket-Type:Region\r\nId: 3\r\nContent-Length:0\r\n\r\n")
                                << QByteArray();
    QTest::newRow("region add twice") << QByteArray("BroadRegion") << region("Add", "4", "1") << QByteArray()
                                      << QByteArray("region 4 exists already");
    QTest::newRow("region mod unknown") << QByteArray("BroadRegion") << region("Mod", "77", "1") << QByteArray()
                                        << QByteArray("unknown region 77");
    QTest::newRow("region member unknown") << QByteArray("BroadRegion") << region("Mod", "1", "1 4242")
                                           << QByteArray() << QByteArray("unknown terminal 4242");
    QTest::newRow("region member a microphone") << QByteArray("BroadRegion") << region("Mod", "1", "101")
                                                << QByteArray() << QByteArray("terminal 101 is a mic35 terminal");
    QTest::newRow("region unknown member name")
        << QByteArray("BroadRegion") << QByteArray(R"({"Action":"Mod","Id":"1","Members":"1","Name":"x","TerminalId":"1"})")
        << QByteArray() << QByteArray("unknown member Members");
    QTest::newRow("region id not a number") << QByteArray("BroadRegion") << region("Add", "x", "1") << QByteArray()
                                            << QByteArray("Id must be a number");
}

void TestSimGroups::commands()
{
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, push);
    QFETCH(QByteArray, reason);
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(loggedIn(c, sim));
    c.send(DbpTestClient::post(31, type, body));
    const QByteArray answer = c.next();
    if (push.isEmpty()) {
        QVERIFY2(answer.startsWith("DBP/1.0 400 FAILED\r\nCSeq: 31\r\n"), answer.constData());
        QVERIFY2(DbpTestClient::body(answer).contains(reason), answer.constData());
        c.send("ONLINE DBP/1.0\r\nCSeq: 32\r\n\r\n");
        QVERIFY2(c.next().startsWith("DBP/1.0 200 OK\r\nCSeq: 32"), "a refused command must not push anything");
        return;
    }
    QVERIFY2(answer.startsWith("DBP/1.0 200 OK\r\nCSeq: 31\r\n"), answer.constData());
    QCOMPARE(c.next(), push);
}

void TestSimGroups::refusalChangesNothing()
{
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(loggedIn(c, sim));
    const QByteArray groups = listBody(c, 2, "select * from callservergroup");
    const QByteArray regions = listBody(c, 3, "select * from region");
    c.send(DbpTestClient::post(4, "CallService",
                               R"({"Action":"Mod","CallWaitRule":"9","Id":"1","Mic35Id":"","Name":"x","RingTime":"30"})"));
    QVERIFY(c.next().startsWith("DBP/1.0 400 FAILED"));
    c.send(DbpTestClient::post(5, "BroadRegion", R"({"Action":"Mod","Id":"1","Name":"x","TerminalId":"1 101"})"));
    QVERIFY(c.next().startsWith("DBP/1.0 400 FAILED"));
    QCOMPARE(listBody(c, 6, "select * from callservergroup"), groups);
    QCOMPARE(listBody(c, 7, "select * from region"), regions);
    // An accepted removal takes the record away.
    c.send(DbpTestClient::post(8, "BroadRegion", R"({"Action":"Del","Id":"1","Name":"x","TerminalId":""})"));
    QVERIFY(c.next().startsWith("DBP/1.0 200 OK"));
    QVERIFY(c.next().startsWith("DELETE DBP/1.0"));
    QCOMPARE(listBody(c, 9, "select regionId from region"),
             QByteArray(R"([{"regionId":"2"},{"regionId":"3"},{"regionId":"4"}])"));
}

void TestSimGroups::controlChannelRemovesAndPushes()
{
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    DbpTestClient c;
    QVERIFY(loggedIn(c, sim));
    QCOMPARE(sim.command("push callservergroup 3"), QString("ok"));
    QCOMPARE(DbpTestClient::body(c.next()),
             QByteArray(R"([{"groupId":"3","name":"教务组","callWaitRule":"3","ringTime":"30","terminalId":"106"}])"));
    QCOMPARE(sim.command("delete region 2"), QString("ok"));
    QCOMPARE(c.next(), QByteArray("DELETE DBP/1.0\r\nPacket-Type:Region\r\nId: 2\r\nContent-Length:0\r\n\r\n"));
    QCOMPARE(sim.command("delete MicGroup 77"), QString("ok"));
    QCOMPARE(c.next(), QByteArray("DELETE DBP/1.0\r\nPacket-Type:MicGroup\r\nId: 77\r\nContent-Length:0\r\n\r\n"));
    QCOMPARE(listBody(c, 4, "select regionId from region where regionId = 2"), QByteArray("[]"));
    QVERIFY(sim.command("delete callservergroup 99").startsWith("error"));
}

QTEST_MAIN(TestSimGroups)
#include "tst_sim_groups.moc"
