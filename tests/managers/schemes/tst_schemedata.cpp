#include "FamilyPeer.h"
#include "managers/schemes/OvSchemeManage.h"
#include "view/OvSchemeStore.h"
#include "view/OvQtViewSignal.h"

#include <QtTest>

namespace {

OvSchemeManage *manageOf(OvManageCenter &centre)
{
    return dynamic_cast<OvSchemeManage *>(centre.manager(OvManageCenter::SchemeSlot));
}

QList<int> ids(OvSchemeStore &store, int family)
{
    QList<int> out;
    const auto list = store.schemeList(family);
    if (list) {
        for (const OvScheme &s : *list)
            out.append(s.id);
    }
    return out;
}

QByteArray post(const QByteArray &body)
{
    return "POST DBP/1.0\r\nCSeq: 4\r\nPacket-Type:TimerPlan\r\nContent-Length:" + QByteArray::number(body.size())
        + "\r\n\r\n" + body;
}

} // namespace

// The timer schemes: codes and request texts, the manager's answers and
// notifications into the store (no server), and the store's edits against a
// scripted server.
class TestSchemeData : public QObject
{
    Q_OBJECT
private slots:
    void codes();
    void requestTexts_data();
    void requestTexts();
    void rowsAndXml();
    void answersIntoTheStore();
    void deleteRoutesToItsFamily();
    void addTakesOnlyItsOwnAnswer_data();
    void addTakesOnlyItsOwnAnswer();
    void toggleAndResults();
};

void TestSchemeData::codes()
{
    QCOMPARE(OvSchemeManage::codeOf(0, OvSchemeManage::ListStep), 79);
    QCOMPARE(OvSchemeManage::codeOf(1, OvSchemeManage::AddStep), 84);
    QCOMPARE(OvSchemeManage::codeOf(3, OvSchemeManage::DeleteStep), 94);
    for (int bad : {-1, 4, INT_MIN}) {
        QCOMPARE(OvSchemeManage::codeOf(bad, OvSchemeManage::ListStep), -1);
        QVERIFY(OvSchemeManage::elementName(bad).isEmpty());
        OvSchemeManage m;
        QVERIFY(m.buildList(1, bad).isEmpty());
        OvSchemeStore store(nullptr);
        OvScheme s;
        QVERIFY(!store.schemeList(bad));
        QVERIFY(!store.view(bad));
        QCOMPARE(store.sendAdd(s, bad), -1);
        QCOMPARE(store.sendModify(s, bad), -1);
        QCOMPARE(store.sendToggle(s, bad), -1);
        QCOMPARE(store.sendDelete(s, bad), -1);
        store.removeScheme(1, bad);
    }
}

void TestSchemeData::requestTexts_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("list") << 0
                          << QByteArray("GET DBP/1.0\r\nCSeq: 4\r\nPacket-Type:SqlConfig\r\n"
                                        "Packet-Subtype: schemelist\r\nContent-Length:23\r\n\r\n"
                                        "select * from timerplan");
    QTest::newRow("add") << 1
                         << post("{\"Action\":\"Add\",\"Comment\":\"\xe5\xa4\x8f\",\"Enable\":\"1\",\"Id\":\"-1\","
                                 "\"Name\":\"Summer\"}\n");
    QTest::newRow("modify") << 2
                            << post("{\"Action\":\"Mod\",\"Comment\":\"\xe5\xa4\x8f\",\"Enable\":\"2\",\"Id\":\"5\","
                                    "\"Name\":\"Summer\"}\n");
    QTest::newRow("delete") << 3
                            << post("{\"Action\":\"Del\",\"Comment\":\"\xe5\xa4\x8f\",\"Enable\":\"2\",\"Id\":\"5\","
                                    "\"Name\":\"Summer\"}\n");
}

void TestSchemeData::requestTexts()
{
    QFETCH(int, step);
    QFETCH(QByteArray, text);
    OvScheme s;
    s.id = 5;
    s.enabled = 2;
    s.name = "Summer";
    s.comment = "\xe5\xa4\x8f";
    for (int family = 0; family < 4; ++family) {
        OvSchemeManage m;
        const QByteArray built = step == 0 ? m.buildList(4, family)
            : step == 1                    ? m.buildAdd(4, s, family)
            : step == 2                    ? m.buildModify(4, s, family)
                                           : m.buildDelete(4, s, family);
        QCOMPARE(built, text);
    }
}

void TestSchemeData::rowsAndXml()
{
    std::vector<OvScheme> list;
    QVERIFY(OvSchemeManage::parseList(
        R"([{"timerplanId":"7","name":"","terminalId":"7","enable":"0","comment":"c"},{"timerplanId":"2","name":"B"}])",
        list));
    QCOMPARE(int(list.size()), 2);
    QCOMPARE(list[0].toString(), QString("scheme 7 \"Scheme_7\" enabled 0 comment \"c\""));
    QCOMPARE(list[1].toString(), QString("scheme 2 \"B\" enabled 0 comment \"\""));
    const auto xml = OvSchemeManage::parseAnswerScheme(
        "<?xml version=\"1.0\"?><AmpScheme Id=\"3\" SchemeName=\"Amp\" Status=\"1\" SchemeRemark=\"r\" "
        "level=\"2\"/>",
        1);
    QVERIFY(xml);
    QCOMPARE(xml->toString(), QString("scheme 3 \"Amp\" enabled 1 comment \"\""));
    QCOMPARE(xml->remark, QByteArray("r"));
    QCOMPARE(xml->level, 2);
    QCOMPARE(xml->type, 0);
    QVERIFY(!OvSchemeManage::parseAnswerScheme("<Scheme Id=\"3\"/>", 1));  // another family's element
    QVERIFY(!OvSchemeManage::parseAnswerScheme("", 0));
    QVERIFY(!OvSchemeManage::parseAnswerScheme("[]", 0));
}

void TestSchemeData::answersIntoTheStore()
{
    OvManageCenter centre;
    OvSchemeStore store(&centre);
    OvSchemeManage *m = manageOf(centre);
    QSignalSpy have(store.view(0), &OvQtViewSignal::haveTerminals);
    QSignalSpy added(store.view(0), &OvQtViewSignal::addTerminal);
    QSignalSpy updated(store.view(0), &OvQtViewSignal::updateTerminal);
    QSignalSpy removed(store.view(0), &OvQtViewSignal::delTerminal);

    QVERIFY(!store.schemeList(0));  // asked for it (not connected), none yet
    m->onOk(79, R"([{"timerplanId":"1","name":"Default","enable":"1"},{"timerplanId":"2","name":"B","enable":"1"}])");
    QCOMPARE(ids(store, 0), QList<int>({1, 2}));
    // A list that does not parse keeps the good one and signals nothing.
    m->onOk(79, "[{\"timerplanId\":");
    m->onOk(79, "<not json>");
    QCOMPARE(ids(store, 0), QList<int>({1, 2}));
    // Answers that carry no scheme make no phantom scheme 0.
    m->onOk(80, "ok");
    m->onOk(81, "{\"Result\":\"0\"}");
    m->onOk(81, "<?xml version=\"1.0\"?><Level id=\"1\"/>");
    QCOMPARE(ids(store, 0), QList<int>({1, 2}));
    QVERIFY(!store.findScheme(0, 0));
    // A notification: unknown id added, known id updated.
    QVERIFY(m->onNotify("SqlConfig_timerplan", R"([{"timerplanId":"3","name":"C"},{"timerplanId":"2","name":"B2"}])"));
    QCOMPARE(ids(store, 0), QList<int>({1, 2, 3}));
    QCOMPARE(store.findScheme(2, 0)->name, QByteArray("B2"));
    // A single-scheme text of family 2 goes to family 2 only (no list there yet).
    QVERIFY(m->onBody("<?xml version=\"1.0\"?><PowerScheme Id=\"9\" SchemeName=\"P\"/>"));
    QVERIFY(!m->onBody(QByteArray()));
    QCOMPARE(ids(store, 0), QList<int>({1, 2, 3}));
    QCOMPARE(have.count(), 1);
    QCOMPARE(added.count(), 1);
    QCOMPARE(added.at(0).at(0).toInt(), 3);
    QCOMPARE(updated.count(), 1);
    QCOMPARE(removed.count(), 0);
}

void TestSchemeData::deleteRoutesToItsFamily()
{
    OvManageCenter centre;
    OvSchemeStore store(&centre);
    OvSchemeManage *m = manageOf(centre);
    const QByteArray rows = R"([{"timerplanId":"1","name":"A"},{"timerplanId":"5","name":"E"}])";
    m->onOk(79, rows);  // family 0
    m->onOk(83, rows);  // family 1
    QSignalSpy removed0(store.view(0), &OvQtViewSignal::delTerminal);
    QSignalSpy removed1(store.view(1), &OvQtViewSignal::delTerminal);

    m->onDelete("AmpSchemeData", 5);
    QCOMPARE(ids(store, 0), QList<int>({1, 5}));
    QCOMPARE(ids(store, 1), QList<int>({1}));
    m->onDelete("SchemeData", 1);
    QCOMPARE(ids(store, 0), QList<int>({5}));
    m->onDelete("", 5);
    m->onDelete("Scheme", 5);
    QCOMPARE(ids(store, 0), QList<int>({5}));
    // A delete answer removes the scheme of the request being answered, and
    // an answer without a request of its own removes nothing.
    m->onOk(82, QByteArray());
    QCOMPARE(ids(store, 0), QList<int>({5}));
    OvScheme five = *store.findScheme(5, 0);
    m->buildDelete(1, five, 0);
    m->onOk(82, QByteArray());
    QCOMPARE(ids(store, 0), QList<int>());
    QCOMPARE(removed0.count(), 2);
    QCOMPARE(removed1.count(), 1);
    QCOMPARE(removed1.at(0).at(0).toInt(), 5);
}

void TestSchemeData::addTakesOnlyItsOwnAnswer_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("answer carries the row") << QByteArray(R"([{"timerplanId":"8","name":"New","enable":"1"}])") << 8
                                            << QByteArray("New");
    QTest::newRow("answer carries the XML element")
        << QByteArray("<?xml version=\"1.0\"?><Scheme Id=\"8\" SchemeName=\"New\" Status=\"1\"/>") << 8
        << QByteArray("New");
    QTest::newRow("empty answer: id unknown") << QByteArray() << -1 << QByteArray("New");
}

void TestSchemeData::addTakesOnlyItsOwnAnswer()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, id);
    QFETCH(QByteArray, name);
    FamilyPeer peer;
    QVERIFY(peer.loggedIn);
    peer.setReply("SqlConfig", ScriptedPeer::Reply::Ok, R"([{"timerplanId":"1","name":"Default","enable":"1"}])");
    OvSchemeStore store(peer.centre.get());
    QVERIFY(!store.schemeList(0));
    QTRY_COMPARE(ids(store, 0), QList<int>({1}));
    // Another scheme's notification just before: it must not be taken for ours.
    peer.push("timerplan", R"([{"timerplanId":"6","name":"Other"}])");
    QTRY_COMPARE(ids(store, 0), QList<int>({1, 6}));
    peer.setReply("TimerPlan", ScriptedPeer::Reply::Ok, answer);
    OvScheme s;
    s.name = "New";
    QCOMPARE(store.sendAdd(s, 0), 0);
    QCOMPARE(s.id, id);
    QCOMPARE(s.name, name);
    // A modify answered without a scheme leaves the caller's scheme as it was.
    peer.setReply("TimerPlan", ScriptedPeer::Reply::Ok);
    OvScheme other = *store.findScheme(6, 0);
    other.comment = "changed";
    QCOMPARE(store.sendModify(other, 0), 0);
    QCOMPARE(other.id, 6);
    QCOMPARE(other.comment, QByteArray("changed"));
    peer.stop();
}

void TestSchemeData::toggleAndResults()
{
    FamilyPeer peer;
    QVERIFY(peer.loggedIn);
    OvSchemeStore store(peer.centre.get());
    OvScheme s;
    s.id = 4;
    s.name = "S";
    s.enabled = 2;
    // Enabled 2 counts as disabled for Start, yet toggles to 0 as the server expects.
    QVERIFY(!s.isEnabled());
    QCOMPARE(store.sendToggle(s, 0), 0);
    QCOMPARE(s.enabled, 0);
    QCOMPARE(store.sendToggle(s, 0), 0);
    QCOMPARE(s.enabled, 1);
    QVERIFY(s.isEnabled());
    const QByteArrayList sent = peer.requests();
    QVERIFY(sent.size() >= 2);
    QVERIFY(FamilyPeer::bodyOf(sent.at(sent.size() - 2)).contains("\"Enable\":\"0\""));
    QVERIFY(FamilyPeer::bodyOf(sent.last()).contains("\"Enable\":\"1\""));
    peer.setReply("TimerPlan", ScriptedPeer::Reply::Failed, "scheme 4 still holds tasks");
    QCOMPARE(store.sendDelete(s, 0), 1);
    QCOMPARE(store.sendToggle(s, 0), 1);
    QCOMPARE(s.enabled, 1);
    peer.setReply("TimerPlan", ScriptedPeer::Reply::Silent);
    QCOMPARE(store.sendAdd(s, 0), 3);
    QCOMPARE(s.id, 4);
    peer.stop();
}

QTEST_MAIN(TestSchemeData)
#include "tst_schemedata.moc"
