#include "managers/terminals/OvTerminalManage.h"

#include <QtTest>

// How an "ipamp" row becomes an OvTerminal.
class TestTerminalRows : public QObject
{
    Q_OBJECT
private slots:
    void fields_data();
    void fields();
    void fullRow();
    void missingMembersKeepInitialValues();
    void bodiesThatAreNotRowLists_data();
    void bodiesThatAreNotRowLists();
};

namespace {
OvTerminal single(const QByteArray &body)
{
    std::vector<OvTerminal> list;
    if (!OvTerminalManage::parseRows(body, list) || list.size() != 1)
        return OvTerminal();
    return list.front();
}
} // namespace

void TestTerminalRows::fields_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QByteArray>("value");

    QTest::newRow("empty name is the id text") << QByteArray(R"({"terminalId":"17","name":""})") << QByteArray("name")
                                               << QByteArray("17");
    QTest::newRow("missing name is the id text") << QByteArray(R"({"terminalId":"0017"})") << QByteArray("name")
                                                 << QByteArray("0017");
    QTest::newRow("name kept") << QByteArray(R"({"terminalId":"3","name":"Hall"})") << QByteArray("name")
                               << QByteArray("Hall");
    QTest::newRow("power 2 is on") << QByteArray(R"({"power":"2"})") << QByteArray("power") << QByteArray("1");
    QTest::newRow("power empty is off") << QByteArray(R"({"power":""})") << QByteArray("power") << QByteArray("0");
    QTest::newRow("power 0 is off") << QByteArray(R"({"power":"0"})") << QByteArray("power") << QByteArray("0");
    QTest::newRow("status not a number is 0") << QByteArray(R"({"status":"busy"})") << QByteArray("status")
                                              << QByteArray("0");
    QTest::newRow("status read") << QByteArray(R"({"status":"2"})") << QByteArray("status") << QByteArray("2");
    QTest::newRow("input 1 is on") << QByteArray(R"({"input":"1"})") << QByteArray("input") << QByteArray("1");
    QTest::newRow("speaker empty is 0") << QByteArray(R"({"speaker":""})") << QByteArray("speaker")
                                        << QByteArray("0");
    QTest::newRow("row without terminalId has id 0") << QByteArray(R"({"name":"x"})") << QByteArray("id")
                                                     << QByteArray("0");
    QTest::newRow("numbers instead of texts") << QByteArray(R"({"terminalId":12,"broVol":60})")
                                              << QByteArray("broVol") << QByteArray("60");
    QTest::newRow("stored default volume") << QByteArray(R"({"defaultVolumn":"45"})")
                                           << QByteArray("defaultVolumn") << QByteArray("45");
    QTest::newRow("stored firewall mode") << QByteArray(R"({"transportTcp":"1"})") << QByteArray("transport_tcp")
                                          << QByteArray("1");
    QTest::newRow("stored master") << QByteArray(R"({"masterId":"3"})") << QByteArray("master_id")
                                   << QByteArray("3");
}

void TestTerminalRows::fields()
{
    QFETCH(QByteArray, row);
    QFETCH(QByteArray, field);
    QFETCH(QByteArray, value);
    const OvTerminal t = single("[" + row + "]");
    const QMap<QByteArray, QByteArray> got{
        {"id", QByteArray::number(t.id)},          {"name", t.name},
        {"power", QByteArray::number(t.power)},    {"status", QByteArray::number(t.status)},
        {"input", QByteArray::number(t.input)},    {"speaker", QByteArray::number(t.speaker)},
        {"broVol", QByteArray::number(t.broVol)},  {"defaultVolumn", QByteArray::number(t.defaultVolumn)},
        {"transport_tcp", QByteArray::number(t.transport_tcp)}, {"master_id", QByteArray::number(t.master_id)},
    };
    QVERIFY2(got.contains(field), field.constData());
    QVERIFY2(got.value(field) == value, t.toString().constData());
}

void TestTerminalRows::fullRow()
{
    const OvTerminal t = single(R"([{"terminalId":"12","type":"IP","status":"1","work":"w","name":"Gym",)"
                                R"("ip":"10.0.0.12","exten":"--","ver":"V2.1","broVol":"60","power":"1",)"
                                R"("ampTemp":"41","localTemp":"35","speaker":"2","input":"0","unknown":"z"}])");
    QCOMPARE(t.id, 12);
    QCOMPARE(t.type, QByteArray("IP"));
    QVERIFY(t.isAmplifier());
    QCOMPARE(t.status, 1);
    QCOMPARE(t.work, QByteArray("w"));
    QCOMPARE(t.name, QByteArray("Gym"));
    QCOMPARE(t.ip, QByteArray("10.0.0.12"));
    QCOMPARE(t.exten, QByteArray("--"));
    QCOMPARE(t.ver, QByteArray("V2.1"));
    QCOMPARE(t.broVol, 60);
    QVERIFY(t.power);
    QCOMPARE(t.ampTemp, 41);
    QCOMPARE(t.localTemp, 35);
    QCOMPARE(t.speaker, 2);
    QVERIFY(!t.input);
}

void TestTerminalRows::missingMembersKeepInitialValues()
{
    // Fields no member sets keep the values of a new record; the dialog
    // settings are not cleared by a server that does not keep them.
    const OvTerminal t = single(R"([{"terminalId":"5","type":"PT"}])");
    QVERIFY(!t.isAmplifier());
    QCOMPARE(t.defaultVolumn, 0);
    QVERIFY(!t.defaultPower);
    QVERIFY(!t.isDefault);
    QCOMPARE(t.warnTempThreshold, -1);
    QCOMPARE(t.fanTempThreshold, -1);
    QCOMPARE(t.maxVol, -1);
    QVERIFY(!t.ampWarning);
    QVERIFY(!t.transport_tcp);
    QCOMPARE(t.master_id, 0);
}

void TestTerminalRows::bodiesThatAreNotRowLists_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("garbage") << QByteArray("<TerminalList/>");
    QTest::newRow("cut short") << QByteArray(R"([{"terminalId":"1"},{"terminalId":)");
    QTest::newRow("object") << QByteArray(R"({"terminalId":"1"})");
}

void TestTerminalRows::bodiesThatAreNotRowLists()
{
    QFETCH(QByteArray, body);
    std::vector<OvTerminal> list(1);
    QVERIFY(!OvTerminalManage::parseRows(body, list));
    QCOMPARE(list.size(), size_t(1));
}

QTEST_APPLESS_MAIN(TestTerminalRows)
#include "tst_terminalrows.moc"
