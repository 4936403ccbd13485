#include "FamilyPeer.h"
#include "view/CaptureHolder.h"

#include <QtTest>

// Capture-box edits against a scripted server: a removal or a setting that
// the server did not agree to leaves the list alone and reports why.
class TestCaptureEdits : public QObject
{
    Q_OBJECT
private slots:
    void failedEditsLeaveTheList_data();
    void failedEditsLeaveTheList();
    void agreedEditsChangeTheList();
};

namespace {

const QByteArray kList = R"([{"terminalId":"501","name":"Hall","type":"Cap","capVol":"80"},{"terminalId":"502"}])";

} // namespace

void TestCaptureEdits::failedEditsLeaveTheList_data()
{
    QTest::addColumn<int>("reply");
    QTest::addColumn<int>("result");
    QTest::newRow("refused") << int(ScriptedPeer::Reply::Failed) << 1;
    QTest::newRow("timed out") << int(ScriptedPeer::Reply::Silent) << 3;
    QTest::newRow("closed") << -1 << 4;
}

void TestCaptureEdits::failedEditsLeaveTheList()
{
    QFETCH(int, reply);
    QFETCH(int, result);
    FamilyPeer peer;
    QVERIFY(peer.loggedIn);
    peer.setReply("SqlConfig", ScriptedPeer::Reply::Ok, kList);
    CaptureHolder holder;
    QCOMPARE(holder.fetchList(peer.centre.get()), 0);
    if (reply < 0) {
        peer.peer->closeClient();
        QTRY_VERIFY_WITH_TIMEOUT(peer.centre->state() == ConnectionState::Closed, 10000);
    } else {
        peer.setReply("RemoveDevice", ScriptedPeer::Reply(reply));
        peer.setReply("CapM59Set", ScriptedPeer::Reply(reply));
    }
    OvCap cap = *holder.findCopy(501);
    cap.capVol = 10;
    QCOMPARE(holder.saveSettings(cap), result);
    QCOMPARE(holder.remove(cap), result);
    QCOMPARE(holder.findCopy(501)->capVol, 80);
    peer.stop();
}

void TestCaptureEdits::agreedEditsChangeTheList()
{
    FamilyPeer peer;
    QVERIFY(peer.loggedIn);
    peer.setReply("SqlConfig", ScriptedPeer::Reply::Ok, kList);
    CaptureHolder holder;
    QCOMPARE(holder.fetchList(peer.centre.get()), 0);
    OvCap cap = *holder.findCopy(501);
    cap.capVol = 10;
    QCOMPARE(holder.saveSettings(cap), 0);
    QCOMPARE(holder.findCopy(501)->capVol, 10);
    QCOMPARE(holder.remove(*holder.findCopy(502)), 0);
    QVERIFY(!holder.findCopy(502));
    peer.stop();
}

QTEST_MAIN(TestCaptureEdits)
#include "tst_captureedits.moc"
