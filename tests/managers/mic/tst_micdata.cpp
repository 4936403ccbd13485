#include "managers/mic/MicBookTexts.h"
#include "managers/mic/OvMicListMgr.h"
#include "managers/mic/OvMicManage.h"
#include "protocol/OvManageCenter.h"
#include "util/BodyParsers.h"

#include <QtTest>

namespace {

Json::Value rowOf(const QByteArray &json)
{
    Json::Value v;
    body::parseJson(json, v);
    return v;
}

QByteArray bodyOf(const QByteArray &request)
{
    return request.mid(request.indexOf("\r\n\r\n") + 4);
}

OvMicManage *micManage(OvManageCenter &centre)
{
    return dynamic_cast<OvMicManage *>(centre.manager(OvManageCenter::MicSlot));
}

QList<int> cachedIds(const OvMicListMgr &list)
{
    QList<int> ids;
    const auto locked = list.lockList();
    for (const OvMic &m : locked.records())
        ids.append(m.id);
    return ids;
}

} // namespace

// The M35 family without a server: rows, request texts, book tokens, and the
// cache as the manager's events leave it (the centre is not connected, so
// every request returns 4 at once; the events are raised by hand).
class TestMicData : public QObject
{
    Q_OBJECT
private slots:
    void micRows_data();
    void micRows();
    void playingTerminalNames_data();
    void playingTerminalNames();
    void settingsBodyCarriesPttModeOnlyWhenKnown_data();
    void settingsBodyCarriesPttModeOnlyWhenKnown();
    void bookTexts_data();
    void bookTexts();
    void emptyCallBookCommitsAnEmptyText();
    void bookRequests_data();
    void bookRequests();
    void detailsAnswer_data();
    void detailsAnswer();
    void cacheOrderAndChanges();
    void bookHoldersAreFilledByTheirAnswers();
    void detailsAreFetchedOnlyForCachedMicrophonesWithoutThem();
};

void TestMicData::micRows_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("pttMode");

    QTest::newRow("named") << QByteArray(R"({"terminalId":"101","name":"Office","status":"1","pttMode":"1"})") << 101
                           << QByteArray("Office") << 1 << 1;
    QTest::newRow("empty name") << QByteArray(R"({"terminalId":"104","name":"","status":"0","pttMode":"0"})") << 104
                                << QByteArray("M35_104") << 0 << 0;
    QTest::newRow("no pttMode member") << QByteArray(R"({"terminalId":"7","name":"A"})") << 7 << QByteArray("A") << 0
                                       << -1;
    QTest::newRow("status not a number") << QByteArray(R"({"terminalId":"8","name":"B","status":"busy"})") << 8
                                         << QByteArray("B") << 0 << -1;
}

void TestMicData::micRows()
{
    QFETCH(QByteArray, row);
    const OvMic m = OvMic::fromMicRow(rowOf(row));
    QFETCH(int, id);
    QCOMPARE(m.id, id);
    QFETCH(QByteArray, name);
    QCOMPARE(m.name, name);
    QFETCH(int, status);
    QCOMPARE(m.status, status);
    QFETCH(int, pttMode);
    QCOMPARE(m.pttMode, pttMode);
}

void TestMicData::playingTerminalNames_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QByteArray>("name");

    QTest::newRow("named") << QByteArray(R"({"terminalId":"3","name":"Hall","type":"IP","exten":"0917"})")
                           << QByteArray("Hall");
    QTest::newRow("exten") << QByteArray(R"({"terminalId":"302","name":"","type":"Mic48","exten":"0917"})")
                           << QByteArray("0917_302");
    QTest::newRow("exten --") << QByteArray(R"({"terminalId":"205","name":"","type":"Mic26","exten":"--"})")
                              << QByteArray("Mic26_205");
    QTest::newRow("no exten") << QByteArray(R"({"terminalId":"6","name":"","type":"IP"})") << QByteArray("IP_6");
}

void TestMicData::playingTerminalNames()
{
    QFETCH(QByteArray, row);
    QFETCH(QByteArray, name);
    QCOMPARE(OvMic::fromPlayingRow(rowOf(row)).name, name);
}

void TestMicData::settingsBodyCarriesPttModeOnlyWhenKnown_data()
{
    QTest::addColumn<int>("pttMode");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("unknown") << -1
                             << QByteArray(R"({"BellVol":"75","BroVol":"85","CallVol":"80","CapVol":"70","Id":"101",)"
                                           R"("Name":"Office"})" "\n");
    QTest::newRow("no") << 1
                        << QByteArray(R"({"BellVol":"75","BroVol":"85","CallVol":"80","CapVol":"70","Id":"101",)"
                                      R"("Name":"Office","PttMode":"1"})" "\n");
}

void TestMicData::settingsBodyCarriesPttModeOnlyWhenKnown()
{
    OvMic m;
    m.id = 101;
    m.name = "Office";
    m.capVol = 70;
    m.callVol = 80;
    m.bellVol = 75;
    m.broVol = 85;
    QFETCH(int, pttMode);
    m.pttMode = pttMode;
    OvMicManage manage;
    const QByteArray text = manage.buildSettings(9, m);
    QVERIFY(text.contains("Packet-Type:ModTalkTerminal\r\n"));
    QFETCH(QByteArray, body);
    QCOMPARE(bodyOf(text), body);
}

void TestMicData::bookTexts_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("monitor list: station keeps its type, amplifier is IpAmp")
        << micbooks::monitorListText({{"Mic26", 201}, {"IP", 3}}) << QByteArray("Mic26_201 IpAmp_3");
    QTest::newRow("monitor list: player terminal is IpAmp")
        << micbooks::monitorListText({{"PT", 8}, {"Mic48", 301}}) << QByteArray("IpAmp_8 Mic48_301");
    QTest::newRow("transfer book: microphones first")
        << micbooks::transferBookText({102, 103}, {1}) << QByteArray("Mic35_102 Mic35_103 CallSerGroup_1");
    QTest::newRow("call book: type names")
        << micbooks::callBookText({{3, 102}, {2, 201}, {4, 301}, {6, 1}, {8, 401}})
        << QByteArray("Mic35_102 Mic26_201 Mic48_301 IP_1 M37_401");
    QTest::newRow("plans") << micbooks::idListText({7, 8}) << QByteArray("7 8");
    QTest::newRow("empty") << micbooks::idListText({}) << QByteArray();
}

void TestMicData::bookTexts()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(text, expected);
}

void TestMicData::emptyCallBookCommitsAnEmptyText()
{
    OvMicManage manage;
    const QByteArray text = manage.buildBookCommit(4, OvMicManage::CommitCallBookCode, 101, micbooks::callBookText({}));
    QVERIFY(text.contains("Packet-Type:M35CallBook\r\n"));
    QCOMPARE(bodyOf(text), QByteArray(R"({"Action":"Mod","Contacts":"","Id":"101"})" "\n"));
}

void TestMicData::bookRequests_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("subtype");
    QTest::addColumn<QByteArray>("sql");
    QTest::newRow("call book") << 266 << QByteArray("MicCallList") << QByteArray("select * from m35call where terminalId = 101");
    QTest::newRow("transfer") << 270 << QByteArray("FixTransferList")
                              << QByteArray("select * from m35transfercall where terminalId = 101");
    QTest::newRow("monitor") << 272 << QByteArray("FixMonitorList") << QByteArray("select * from m35monitor where terminalId = 101");
    QTest::newRow("plans") << 274 << QByteArray("FixSsTaskList") << QByteArray("select * from m35soundsource where terminalId = 101");
    QTest::newRow("regions") << 276 << QByteArray("FixRegionList") << QByteArray("select * from m35broadcast where terminalId = 101");
}

void TestMicData::bookRequests()
{
    QFETCH(int, code);
    OvMicManage manage;
    const QByteArray text = manage.buildBookFetch(5, code, 101);
    QFETCH(QByteArray, subtype);
    QVERIFY2(text.contains("Packet-Subtype: " + subtype + "\r\n"), text.constData());
    QFETCH(QByteArray, sql);
    QCOMPARE(bodyOf(text), sql);
    QVERIFY(manage.buildBookFetch(5, 267, 101).isEmpty());
}

void TestMicData::detailsAnswer_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("read");
    QTest::newRow("answer of the server")
        << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<MicList>\n  <Mic terminalId=\"101\" type=\"Mic35\" "
                      "status=\"1\" name=\"Office\" ver=\"V2.1.4\" exten=\"--\" capVol=\"70\" pttMode=\"1\"/>\n</MicList>\n")
        << true;
    QTest::newRow("no Mic element") << QByteArray("<?xml version=\"1.0\"?><MicList></MicList>") << false;
    QTest::newRow("other list") << QByteArray("<?xml version=\"1.0\"?><CapList><Mic terminalId=\"1\"/></CapList>")
                                << false;
    QTest::newRow("not XML") << QByteArray("[]") << false;
}

void TestMicData::detailsAnswer()
{
    OvMic m;
    QFETCH(QByteArray, body);
    QFETCH(bool, read);
    QCOMPARE(OvMicManage::parseDetails(body, m), read);
    if (!m.detailsLoaded)
        return;
    QCOMPARE(m.id, 101);
    QCOMPARE(m.ver, QByteArray("V2.1.4"));
    QCOMPARE(m.capVol, 70);
    QCOMPARE(m.pttMode, 1);
}

void TestMicData::cacheOrderAndChanges()
{
    OvManageCenter centre;
    OvMicListMgr list(&centre);
    QCOMPARE(list.fetchList(), 4);
    QVERIFY(list.lockList().exists());
    QSignalSpy got(&list, &OvMicListMgr::gotMicList);
    QSignalSpy changed(&list, &OvMicListMgr::micChanged);

    micManage(centre)->onOk(262, R"([{"terminalId":"4"},{"terminalId":"9"},{"terminalId":"6"}])");
    QCOMPARE(cachedIds(list), QList<int>({9, 6, 4}));
    QVERIFY(got.wait());

    // A change moves the record to the end; a new id is appended.
    QVERIFY(micManage(centre)->onNotify("SqlConfig_mic35", R"([{"terminalId":"9","name":"Moved"}])"));
    QVERIFY(micManage(centre)->onNotify("SqlConfig_mic35", R"([{"terminalId":"12"}])"));
    QCOMPARE(cachedIds(list), QList<int>({6, 4, 9, 12}));
    QCOMPARE(list.findCopy(9)->name, QByteArray("Moved"));
    QTRY_COMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).toInt(), 12);
    QCOMPARE(got.count(), 1);

    // Not JSON: nothing changes, and the notification is still taken.
    QVERIFY(micManage(centre)->onNotify("SqlConfig_mic35", "<xml/>"));
    micManage(centre)->onOk(262, "not json");
    QCOMPARE(cachedIds(list), QList<int>({6, 4, 9, 12}));
    QVERIFY(!micManage(centre)->onNotify("SqlConfig_mic26", "[]"));
}

void TestMicData::bookHoldersAreFilledByTheirAnswers()
{
    OvManageCenter centre;
    OvMicListMgr list(&centre);
    list.fetchList();
    micManage(centre)->onOk(270, R"([{"terminalId":"101","orderId":"1","transferId":"102","transferType":"3"},)"
                                 R"({"terminalId":"101","orderId":"2","transferId":"1","transferType":"10"}])");
    micManage(centre)->onOk(269, R"([{"terminalId":"205","name":"","type":"Mic26","exten":"--"}])");
    const std::vector<MicBookEntry> transfer = list.book(270);
    QCOMPARE(int(transfer.size()), 2);
    QCOMPARE(transfer[1].targetId, 1);
    QCOMPARE(transfer[1].targetType, 10);
    QVERIFY(list.book(266).empty());
    QCOMPARE(list.playingTerminals().at(0).name, QByteArray("Mic26_205"));

    // A broken answer keeps what the holder had.
    micManage(centre)->onOk(270, "[{");
    QCOMPARE(int(list.book(270).size()), 2);
}

void TestMicData::detailsAreFetchedOnlyForCachedMicrophonesWithoutThem()
{
    OvManageCenter centre;
    OvMicListMgr list(&centre);
    list.fetchList();
    micManage(centre)->onOk(262, R"([{"terminalId":"101"}])");
    QCOMPARE(list.fetchDetails(555), -1);
    QCOMPARE(list.fetchDetails(101), 4);  // sent (and not connected)
    micManage(centre)->onOk(263, "<?xml version=\"1.0\"?><MicList><Mic terminalId=\"101\" ver=\"V3\"/></MicList>");
    QVERIFY(list.findCopy(101)->detailsLoaded);
    QCOMPARE(list.fetchDetails(101), 0);  // not sent again
}

QTEST_MAIN(TestMicData)
#include "tst_micdata.moc"
