#include "PeerFixture.h"
#include "managers/terminals/TerminalRequests.h"

#include <QtTest>

#include <functional>

namespace {

QByteArray row(int id, const QByteArray &type = "IP", int status = 1, const QByteArray &name = QByteArray())
{
    return R"({"terminalId":")" + QByteArray::number(id) + R"(","type":")" + type + R"(","status":")"
           + QByteArray::number(status) + R"(","name":")" + name + R"(","broVol":"50","speaker":"1"})";
}

QByteArray rowsBody(const QByteArrayList &rows)
{
    return "[" + rows.join(',') + "]";
}

} // namespace

// The IP amplifier list manager over a real centre and a scripted server:
// cache, events, edits and the texts they send.
class TestPlayTermListMgr : public QObject
{
    Q_OBJECT
private slots:
    void listFillsTheCacheInIdOrder();
    void changesBeforeTheFirstListAreDropped();
    void changeNotifications();
    void brokenOrForeignNotificationsChangeNothing();
    void refusedRemovalReportsTheServerText_data();
    void refusedRemovalReportsTheServerText();
    void acceptedRemovalDropsTheRecord();
    void editsUpdateTheCacheOnlyOnSuccess_data();
    void editsUpdateTheCacheOnlyOnSuccess();
    void speakerCheckOfASelection();
    void refusedSpeakerCheckRestoresTheState_data();
    void refusedSpeakerCheckRestoresTheState();
    void requestTexts_data();
    void requestTexts();
    void cleanupTestCase() { m_shared.reset(); }

private:
    // One session for all rows of requestTexts: a login costs up to a second.
    std::unique_ptr<PeerFixture> m_shared;
};

void TestPlayTermListMgr::listFillsTheCacheInIdOrder()
{
    PeerFixture f;
    QVERIFY(f.loggedIn);
    QVERIFY(!f.list->lockList().exists());
    QSignalSpy got(f.list.get(), &OvPlayTermListMgr::gotPlayTermList);
    f.setListBody(rowsBody({row(30), row(4, "PT", 0, "Gate"), row(17, "IP", 2, "")}));
    QCOMPARE(f.list->fetchList(), 0);
    // The cache is filled when the request returns; the signal follows queued.
    QCOMPARE(f.cachedIds(), (QList<int>{4, 17, 30}));
    QTRY_COMPARE(got.count(), 1);
    QCOMPARE(f.list->findCopy(17)->name, QByteArray("17"));
    QCOMPARE(f.list->findCopy(4)->name, QByteArray("Gate"));
    QVERIFY(!f.list->findCopy(5));

    // An empty list is a list: an empty cache, and a signal.
    f.setListBody("[]");
    QCOMPARE(f.list->fetchList(), 0);
    QVERIFY(f.list->lockList().exists());
    QCOMPARE(f.cachedIds(), QList<int>{});
    QTRY_COMPARE(got.count(), 2);
}

void TestPlayTermListMgr::changesBeforeTheFirstListAreDropped()
{
    PeerFixture f;
    QVERIFY(f.loggedIn);
    QSignalSpy got(f.list.get(), &OvPlayTermListMgr::gotPlayTermList);
    QSignalSpy changed(f.list.get(), &OvPlayTermListMgr::playTermChanged);
    // A refused list registers the callback but creates no cache.
    f.setReply("SqlConfig", ScriptedPeer::Reply::Failed);
    QCOMPARE(f.list->fetchList(), 1);
    f.pushChange(rowsBody({row(8)}));
    QVERIFY(waitTurns(*f.centre, 5));
    f.setListBody(rowsBody({row(1)}));
    QCOMPARE(f.list->fetchList(), 0);
    QTRY_COMPARE(got.count(), 1);
    QCOMPARE(f.cachedIds(), QList<int>{1});
    QCOMPARE(changed.count(), 0);
}

void TestPlayTermListMgr::changeNotifications()
{
    PeerFixture f;
    QVERIFY(f.loggedIn);
    QSignalSpy got(f.list.get(), &OvPlayTermListMgr::gotPlayTermList);
    QSignalSpy changed(f.list.get(), &OvPlayTermListMgr::playTermChanged);
    f.setListBody(rowsBody({row(2), row(9)}));
    QCOMPARE(f.list->fetchList(), 0);
    QTRY_COMPARE(got.count(), 1);

    // One known row, one new row: changed for the first, a rebuild for the
    // second, and the cache stays in id order.
    f.pushChange(rowsBody({row(9, "IP", 2, "Stage"), row(5, "PT", 1, "New")}));
    QTRY_COMPARE(got.count(), 2);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 9);
    QCOMPARE(f.cachedIds(), (QList<int>{2, 5, 9}));
    QCOMPARE(f.list->findCopy(9)->name, QByteArray("Stage"));
    QCOMPARE(f.list->findCopy(9)->status, 2);
    QCOMPARE(f.list->findCopy(5)->name, QByteArray("New"));

    // Several rows of one push: one signal per row, in order.
    f.pushChange(rowsBody({row(2, "IP", 0), row(5, "PT", 0), row(9, "IP", 0)}));
    QTRY_COMPARE(changed.count(), 4);
    QCOMPARE(changed.at(1).at(0).toInt(), 2);
    QCOMPARE(changed.at(2).at(0).toInt(), 5);
    QCOMPARE(changed.at(3).at(0).toInt(), 9);
    QCOMPARE(got.count(), 2);
}

void TestPlayTermListMgr::brokenOrForeignNotificationsChangeNothing()
{
    PeerFixture f;
    QVERIFY(f.loggedIn);
    QSignalSpy changed(f.list.get(), &OvPlayTermListMgr::playTermChanged);
    QSignalSpy got(f.list.get(), &OvPlayTermListMgr::gotPlayTermList);
    f.setListBody(rowsBody({row(2)}));
    QCOMPARE(f.list->fetchList(), 0);
    f.pushChange(R"([{"terminalId":"2","name":"Broken"},{"terminalId":)");
    f.pushChange(rowsBody({row(2, "IP", 1, "Mic")}), "mic35");
    f.pushChange(rowsBody({row(3)}), "ipamp ");
    // The last push is the barrier: once it is in, the others were handled.
    f.pushChange(rowsBody({row(2, "IP", 1, "Last")}));
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(f.list->findCopy(2)->name, QByteArray("Last"));
    QCOMPARE(f.cachedIds(), QList<int>{2});
    QCOMPARE(got.count(), 1);
}

void TestPlayTermListMgr::refusedRemovalReportsTheServerText_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("type");
    QTest::newRow("amplifier") << 2 << QByteArray("IP");
    QTest::newRow("paging microphone of another family") << 101 << QByteArray("3");
}

void TestPlayTermListMgr::refusedRemovalReportsTheServerText()
{
    QFETCH(int, id);
    QFETCH(QByteArray, type);
    PeerFixture f;
    QVERIFY(f.loggedIn);
    f.setListBody(rowsBody({row(2)}));
    QCOMPARE(f.list->fetchList(), 0);
    QSignalSpy error(f.list.get(), &OvPlayTermListMgr::delTermError);
    const QByteArray reason = "Terminal can not be removed without offline!";
    f.setReply("RemoveDevice", ScriptedPeer::Reply::Failed, reason);

    int result = -1;
    if (type == "IP") {
        OvTerminal t = *f.list->findCopy(id);
        result = f.list->removeTerminal(t);
    } else {
        result = centreRemoveDevice(f.centre.get(), id, type);
    }
    QCOMPARE(result, 1);
    QCOMPARE(f.list->lastErrorText(), reason);
    QTRY_COMPARE(error.count(), 1);
    QCOMPARE(f.cachedIds(), QList<int>{2});
}

void TestPlayTermListMgr::acceptedRemovalDropsTheRecord()
{
    PeerFixture f;
    QVERIFY(f.loggedIn);
    f.setListBody(rowsBody({row(2, "IP", 0), row(3, "PT", 0)}));
    QCOMPARE(f.list->fetchList(), 0);
    QSignalSpy error(f.list.get(), &OvPlayTermListMgr::delTermError);
    QCOMPARE(f.list->removeTerminal(*f.list->findCopy(3)), 0);
    QCOMPARE(f.cachedIds(), QList<int>{2});
    QVERIFY(f.list->lastErrorText().isEmpty());
    QCOMPARE(error.count(), 0);
}

void TestPlayTermListMgr::editsUpdateTheCacheOnlyOnSuccess_data()
{
    QTest::addColumn<int>("reply");
    QTest::addColumn<int>("result");
    QTest::newRow("accepted") << int(ScriptedPeer::Reply::Ok) << 0;
    QTest::newRow("refused") << int(ScriptedPeer::Reply::Failed) << 1;
    QTest::newRow("not answered") << int(ScriptedPeer::Reply::Silent) << 3;
}

void TestPlayTermListMgr::editsUpdateTheCacheOnlyOnSuccess()
{
    QFETCH(int, reply);
    QFETCH(int, result);
    const auto kind = ScriptedPeer::Reply(reply);
    const bool applied = result == 0;
    PeerFixture f;
    QVERIFY(f.loggedIn);
    f.setListBody(rowsBody({row(2, "IP", 1, "Old")}));
    QCOMPARE(f.list->fetchList(), 0);
    for (const char *type : {"IpAmpSet", "IpAmpPower", "Terminal", "PlayTermConfig"})
        f.setReply(type, kind);

    OvTerminal edited = *f.list->findCopy(2);
    edited.name = "Renamed";
    edited.broVol = 80;
    QCOMPARE(f.list->setNameAndVolume(edited), result);
    QCOMPARE(f.list->findCopy(2)->name, QByteArray(applied ? "Renamed" : "Old"));
    QCOMPARE(f.list->findCopy(2)->broVol, applied ? 80 : 50);

    QCOMPARE(f.list->switchAmplifier(2, true), result);
    QCOMPARE(f.list->findCopy(2)->power, applied);
    // An amplifier the cache does not know: sent, nothing added.
    QCOMPARE(f.list->switchAmplifier(44, true), result);
    QCOMPARE(f.cachedIds(), QList<int>{2});

    OvTerminal settings = *f.list->findCopy(2);
    settings.defaultVolumn = 45;
    settings.transport_tcp = true;
    QCOMPARE(f.list->applyTerminalSettings(settings), result);
    QCOMPARE(f.list->findCopy(2)->defaultVolumn, applied ? 45 : 0);
    QCOMPARE(f.list->findCopy(2)->transport_tcp, applied);

    // This server does not send the limits back: the cache keeps what was
    // accepted, so a later reset to -1 differs from it and is sent.
    OvTerminal limits = *f.list->findCopy(2);
    limits.warnTempThreshold = 80;
    limits.fanTempThreshold = 60;
    limits.maxVol = 90;
    QCOMPARE(f.list->setAmplifierLimits(limits), result);
    QCOMPARE(f.list->findCopy(2)->warnTempThreshold, applied ? 80 : -1);
    QCOMPARE(f.list->findCopy(2)->fanTempThreshold, applied ? 60 : -1);
    QCOMPARE(f.list->findCopy(2)->maxVol, applied ? 90 : -1);
}

void TestPlayTermListMgr::speakerCheckOfASelection()
{
    PeerFixture f;
    QVERIFY(f.loggedIn);
    f.setListBody(rowsBody({row(1, "IP", 1), row(2, "IP", 2), row(3, "PT", 1), row(4, "IP", 1), row(5, "IP", 1)}));
    QCOMPARE(f.list->fetchList(), 0);
    OvTerminal warned = *f.list->findCopy(4);
    warned.ampWarning = true;
    QVERIFY(f.list->replaceEntry(warned));

    QList<int> marked;
    const SpeakerCheckOutcome outcome =
        f.list->checkSpeakers({1, 2, 3, 4, 99, 5}, [&marked](int id) { marked.append(id); });
    QCOMPARE(outcome.sent, 2);
    QCOMPARE(outcome.failed, 0);
    QVERIFY(outcome.refused);
    QCOMPARE(marked, (QList<int>{1, 5}));
    QCOMPARE(f.list->findCopy(1)->speaker, int(OvTerminal::Checking));
    QCOMPARE(f.list->findCopy(2)->speaker, int(OvTerminal::Pass));
    QCOMPARE(f.list->findCopy(3)->speaker, int(OvTerminal::Pass));
    QByteArrayList checked;
    for (const QByteArray &r : f.requests()) {
        if (PeerFixture::packetTypeOf(r) == "IpAmpSpkCheck")
            checked.append(r.mid(r.indexOf("\r\n\r\n") + 4));
    }
    QCOMPARE(checked, (QByteArrayList{"{\"Id\":\"1\",\"SpkCheck\":\"1\"}\n", "{\"Id\":\"5\",\"SpkCheck\":\"1\"}\n"}));

    // A selection of idle amplifiers only is not refused.
    f.pushChange(rowsBody({row(1, "IP", 1)}));
    QTRY_COMPARE(f.list->findCopy(1)->speaker, int(OvTerminal::Pass));
    QVERIFY(!f.list->checkSpeakers({1}).refused);
}

void TestPlayTermListMgr::refusedSpeakerCheckRestoresTheState_data()
{
    QTest::addColumn<int>("reply");
    QTest::newRow("refused") << int(ScriptedPeer::Reply::Failed);
    QTest::newRow("not answered") << int(ScriptedPeer::Reply::Silent);
}

void TestPlayTermListMgr::refusedSpeakerCheckRestoresTheState()
{
    QFETCH(int, reply);
    PeerFixture f;
    QVERIFY(f.loggedIn);
    f.setListBody(rowsBody({row(1, "IP", 1), row(2, "IP", 1)}));
    QCOMPARE(f.list->fetchList(), 0);
    OvTerminal shorted = *f.list->findCopy(2);
    shorted.speaker = OvTerminal::ShortCircuit;
    QVERIFY(f.list->replaceEntry(shorted));
    f.setReply("IpAmpSpkCheck", ScriptedPeer::Reply(reply));

    // What the row would show at each report: marked, then given back.
    QList<QPair<int, int>> shown;
    const SpeakerCheckOutcome outcome = f.list->checkSpeakers(
        {1, 2}, [&](int id) { shown.append({id, f.list->findCopy(id)->speaker}); });
    QCOMPARE(outcome.sent, 2);
    QCOMPARE(outcome.failed, 2);
    QVERIFY(!outcome.refused);
    const QList<QPair<int, int>> expected{{1, OvTerminal::Checking}, {1, OvTerminal::Pass},
                                          {2, OvTerminal::Checking}, {2, OvTerminal::ShortCircuit}};
    QCOMPARE(shown, expected);
    QCOMPARE(f.list->findCopy(1)->speaker, int(OvTerminal::Pass));
    QCOMPARE(f.list->findCopy(2)->speaker, int(OvTerminal::ShortCircuit));
}

using Operation = std::function<int(PeerFixture &)>;
Q_DECLARE_METATYPE(Operation)

void TestPlayTermListMgr::requestTexts_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QByteArray>("expected");  // %1 stands for the CSeq

    OvTerminal t;
    t.id = 12;
    t.type = "IP";
    t.name = "Gym";
    t.broVol = 60;
    t.warnTempThreshold = 70;
    t.fanTempThreshold = 55;
    t.maxVol = 90;

    QTest::newRow("list") << Operation([](PeerFixture &f) { return f.list->fetchList(); })
                          << QByteArray("GET DBP/1.0\r\nCSeq: %1\r\nPacket-Type:SqlConfig\r\n"
                                        "Packet-Subtype: TerminalList\r\nContent-Length:19\r\n\r\n"
                                        "select * from ipamp");
    QTest::newRow("name and volume")
        << Operation([t](PeerFixture &f) { return f.list->setNameAndVolume(t); })
        << QByteArray("POST DBP/1.0\r\nCSeq: %1\r\nPacket-Type:IpAmpSet\r\nContent-Length:39\r\n\r\n"
                      "{\"BroVol\":\"60\",\"Id\":\"12\",\"Name\":\"Gym\"}\n");
    OvTerminal escaped = t;
    escaped.id = 7;
    escaped.broVol = 0;
    escaped.name = "\xe6\x95\x99\xe5\xae\xa4\"1\\";
    QTest::newRow("name with quote and backslash")
        << Operation([escaped](PeerFixture &f) { return f.list->setNameAndVolume(escaped); })
        << QByteArray("POST DBP/1.0\r\nCSeq: %1\r\nPacket-Type:IpAmpSet\r\nContent-Length:45\r\n\r\n"
                      "{\"BroVol\":\"0\",\"Id\":\"7\",\"Name\":\"\xe6\x95\x99\xe5\xae\xa4\\\"1\\\\\"}\n");
    QTest::newRow("power on") << Operation([](PeerFixture &f) { return f.list->switchAmplifier(12, true); })
                              << QByteArray("POST DBP/1.0\r\nCSeq: %1\r\nPacket-Type:IpAmpPower\r\n"
                                            "Content-Length:24\r\n\r\n{\"Id\":\"12\",\"Power\":\"1\"}\n");
    QTest::newRow("power off") << Operation([](PeerFixture &f) { return f.list->switchAmplifier(12, false); })
                               << QByteArray("POST DBP/1.0\r\nCSeq: %1\r\nPacket-Type:IpAmpPower\r\n"
                                             "Content-Length:24\r\n\r\n{\"Id\":\"12\",\"Power\":\"0\"}\n");
    QTest::newRow("speaker check") << Operation([t](PeerFixture &f) { return f.list->checkSpeaker(t); })
                                   << QByteArray("POST DBP/1.0\r\nCSeq: %1\r\nPacket-Type:IpAmpSpkCheck\r\n"
                                                 "Content-Length:27\r\n\r\n{\"Id\":\"12\",\"SpkCheck\":\"1\"}\n");
    QTest::newRow("amplifier limits") << Operation([t](PeerFixture &f) { return f.list->setAmplifierLimits(t); })
                                      << QByteArray("SET DBP/1.0\r\nCommand: PlayTermConfig\r\nCSeq: %1\r\n"
                                                    "Id: 12\r\nType: IP\r\nWarnTempThreshold: 70\r\n"
                                                    "FanTempThreshold: 55\r\nMaxVol: 90\r\n\r\n");
    OvTerminal settings = t;
    settings.id = 6;
    settings.defaultPower = true;
    settings.defaultVolumn = 45;
    settings.isDefault = true;
    QTest::newRow("terminal settings")
        << Operation([settings](PeerFixture &f) { return f.list->applyTerminalSettings(settings); })
        << QByteArray("POST DBP/1.0\r\nCSeq: %1\r\nPacket-Type:Terminal\r\nContent-Length:86\r\n\r\n"
                      "{\"DefaultPower\":\"1\",\"DefaultVolumn\":\"45\",\"Id\":\"6\",\"IsDefault\":\"1\","
                      "\"TransportTcp\":\"0\"}\n");
    QTest::newRow("remove") << Operation([t](PeerFixture &f) { return f.list->removeTerminal(t); })
                            << QByteArray("POST DBP/1.0\r\nCSeq: %1\r\nPacket-Type:RemoveDevice\r\n"
                                          "Content-Length:24\r\n\r\n{\"Id\":\"12\",\"Type\":\"IP\"}\n");
    QTest::newRow("remove of another family")
        << Operation([](PeerFixture &f) { return centreRemoveDevice(f.centre.get(), 101, "3"); })
        << QByteArray("POST DBP/1.0\r\nCSeq: %1\r\nPacket-Type:RemoveDevice\r\n"
                      "Content-Length:24\r\n\r\n{\"Id\":\"101\",\"Type\":\"3\"}\n");
}

void TestPlayTermListMgr::requestTexts()
{
    QFETCH(Operation, operation);
    QFETCH(QByteArray, expected);
    if (!m_shared)
        m_shared = std::make_unique<PeerFixture>();
    PeerFixture &f = *m_shared;
    QVERIFY(f.loggedIn);
    f.setListBody("[]");
    const int before = f.requests().size();
    QCOMPARE(operation(f), 0);
    const QByteArrayList sent = f.requests().mid(before);
    QCOMPARE(sent.size(), 1);
    const int cseq = ScriptedPeer::cseqOf(sent.front());
    QVERIFY(cseq > 1);
    QCOMPARE(sent.front(), expected.replace("%1", QByteArray::number(cseq)));
}

QTEST_MAIN(TestPlayTermListMgr)
#include "tst_playtermlistmgr.moc"
