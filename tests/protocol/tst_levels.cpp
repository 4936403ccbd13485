#include "protocol/OvLevel.h"
#include "protocol/OvLevelManage.h"
#include "protocol/UserRecord.h"

#include <QtTest>

#include <algorithm>

class TestLevels : public QObject
{
    Q_OBJECT
private slots:
    void readList();
    void lowestIdOfTypeDecides_data();
    void lowestIdOfTypeDecides();
    void lvOutOfRangeGrantsNothing_data();
    void lvOutOfRangeGrantsNothing();
    void managerClaims_data();
    void managerClaims();
    void okAnswerOnlyForOwnListCode();
};

void TestLevels::readList()
{
    std::vector<OvLevel> levels;
    QVERIFY(readLevelList("<?xml version=\"1.0\"?><LevelList>"
                          "<Level id=\"7\" name=\"终端操作\" lv=\"3\" type=\"5\"/>"
                          "<Level id=\"2\"/>"
                          "<Level name=\"0123456789012345678901234567890123456789\" type=\"4\"/>"
                          "</LevelList>",
                          levels));
    QCOMPARE(levels.size(), size_t(3));
    QCOMPARE(levels[0].id, 7);
    QCOMPARE(levels[0].name, QStringLiteral("终端操作").toUtf8());
    QCOMPARE(int(levels[0].level), 3);
    QCOMPARE(int(levels[0].type), 5);
    // Missing attributes keep the initial values.
    QCOMPARE(levels[1].id, 2);
    QCOMPARE(int(levels[1].level), 10);
    QCOMPARE(int(levels[1].type), 1);
    QCOMPARE(levels[2].id, -1);
    QCOMPARE(levels[2].copied().name.size(), OvLevel::kMaxNameBytes);

    QVERIFY(!readLevelList("<?xml?><Level id=\"1\"/>", levels));
    QVERIFY(!readLevelList("not xml", levels));
}

void TestLevels::lowestIdOfTypeDecides_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("decidingId");
    QTest::addColumn<bool>("userMayAct");
    const QByteArray two = "<?xml?><LevelList><Level id=\"7\" lv=\"0\" type=\"5\"/>"
                           "<Level id=\"3\" lv=\"1\" type=\"5\"/><Level id=\"1\" lv=\"0\" type=\"4\"/></LevelList>";
    QTest::newRow("id 3 decides over 7") << two << 5 << 3 << true;
    QTest::newRow("lv 0 denies") << two << 4 << 1 << false;
    QTest::newRow("no level of the type") << QByteArray("<?xml?><LevelList><Level id=\"1\" type=\"4\"/></LevelList>")
                                          << 5 << -1 << false;
}

void TestLevels::lowestIdOfTypeDecides()
{
    QFETCH(QByteArray, xml);
    QFETCH(int, type);
    std::vector<OvLevel> levels;
    QVERIFY(readLevelList(xml, levels));
    std::sort(levels.begin(), levels.end(), [](const OvLevel &a, const OvLevel &b) { return a.id < b.id; });
    const OvLevel *deciding = levelForType(levels, type);
    QTEST(deciding ? deciding->id : -1, "decidingId");
    QTEST(levelAllows(levels, type, currentUser().level), "userMayAct");
}

void TestLevels::lvOutOfRangeGrantsNothing_data()
{
    QTest::addColumn<QByteArray>("lv");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("userMayAct");
    QTest::newRow("negative") << QByteArray("-1") << 0 << false;
    QTest::newRow("over the field's range") << QByteArray("65536") << 0 << false;
    QTest::newRow("beyond any integer") << QByteArray("99999999999999999999999") << 0 << false;
    QTest::newRow("largest that fits") << QByteArray("65535") << 65535 << true;
}

void TestLevels::lvOutOfRangeGrantsNothing()
{
    QFETCH(QByteArray, lv);
    std::vector<OvLevel> levels;
    QVERIFY(readLevelList("<?xml?><LevelList><Level id=\"1\" lv=\"" + lv + "\" type=\"5\"/></LevelList>", levels));
    QCOMPARE(levels.size(), size_t(1));
    QTEST(int(levels[0].level), "level");
    QTEST(levelAllows(levels, OvLevel::TerminalOperations, currentUser().level), "userMayAct");
}

void TestLevels::managerClaims_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("claimed");
    QTest::addColumn<int>("delivered");
    QTest::newRow("level list") << QByteArray("<?xml?><LevelList><Level id=\"1\"/></LevelList>") << true << 1;
    QTest::newRow("level without list is claimed, changes nothing")
        << QByteArray("<?xml?><Level id=\"1\"/>") << true << 0;
    QTest::newRow("other body") << QByteArray("<?xml?><MicList/>") << false << 0;
    QTest::newRow("json") << QByteArray("[{\"id\":\"1\"}]") << false << 0;
}

void TestLevels::managerClaims()
{
    QFETCH(QByteArray, body);
    OvLevelManage mgr;
    int delivered = 0;
    mgr.setLevelCallback([&delivered](const std::vector<OvLevel> &) { ++delivered; });
    QTEST(mgr.onNotify("Anything_at_all", body), "claimed");
    QTEST(delivered, "delivered");
}

void TestLevels::okAnswerOnlyForOwnListCode()
{
    OvLevelManage mgr;
    int delivered = 0;
    mgr.setLevelCallback([&delivered](const std::vector<OvLevel> &) { ++delivered; });
    const QByteArray xml = "<?xml?><LevelList><Level id=\"1\"/></LevelList>";
    mgr.onOk(145, xml);
    mgr.onOk(5, xml);
    QCOMPARE(delivered, 0);
    mgr.onOk(144, xml);
    QCOMPARE(delivered, 1);
    QCOMPARE(mgr.ownsCode(148), 0);
    QCOMPARE(mgr.ownsCode(149), -1);
}

QTEST_APPLESS_MAIN(TestLevels)
#include "tst_levels.moc"
