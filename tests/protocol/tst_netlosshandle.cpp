#include "SimProcess.h"
#include "protocol/OvManageCenter.h"
#include "protocol/OvNetLosssHandle.h"

#include <QtTest>

#include <thread>

// The GUI-side end of the connection: what the operator is told, once.
class TestNetLossHandle : public QObject
{
    Q_OBJECT
private slots:
    void conflictText_data();
    void conflictText();
    void conflictShowsOnceAtATime();
    void lossShowsThenClosesWindows();
    void callbacksFromTheReceiveThreadAreQueued();
};

void TestNetLossHandle::conflictText_data()
{
    QTest::addColumn<QString>("json");
    QTest::addColumn<QString>("text");
    const QString head = QStringLiteral("设备ID冲突，请重新设置!\r\n\r\n");
    QTest::newRow("two terminals")
        << QStringLiteral("[{\"terminalId\":\"12\",\"name\":\"大厅\",\"type\":\"IP\",\"ip\":\"10.0.0.12\"},"
                          "{\"terminalId\":\"12\",\"name\":\"Gym\",\"type\":\"IP\",\"ip\":\"10.0.0.99\"}]")
        << head + QStringLiteral("  ID:12 Name:大厅 IP:10.0.0.12\r\n  ID:12 Name:Gym IP:10.0.0.99\r\n");
    QTest::newRow("empty name shows the id text")
        << QStringLiteral("[{\"terminalId\":\"0031\",\"name\":\"\",\"type\":\"IP\",\"ip\":\"10.0.0.31\"}]")
        << head + QStringLiteral("  ID:31 Name:0031 IP:10.0.0.31\r\n");
    QTest::newRow("not json gives no terminals") << QStringLiteral("{oops") << head;
}

void TestNetLossHandle::conflictText()
{
    QFETCH(QString, json);
    QTEST(OvNetLosssHandle::conflictMessage(json), "text");
}

void TestNetLossHandle::conflictShowsOnceAtATime()
{
    OvNetLosssHandle handle(nullptr);
    QStringList shown;
    handle.setPresenter([&](const QString &title, const QString &text) {
        shown << title + '|' + text;
        // A second conflict while the first message is open is ignored.
        handle.slot_device_conflict(QStringLiteral("[]"));
    });
    handle.slot_device_conflict(QStringLiteral("[{\"terminalId\":\"1\",\"name\":\"a\",\"ip\":\"x\"}]"));
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown.first().startsWith(QStringLiteral("提示|设备ID冲突")));
    handle.slot_device_conflict(QStringLiteral("[]"));
    QCOMPARE(shown.size(), 2);
}

void TestNetLossHandle::lossShowsThenClosesWindows()
{
    OvNetLosssHandle handle(nullptr);
    QStringList order;
    handle.setPresenter([&](const QString &title, const QString &text) { order << title + '|' + text; });
    handle.setWindowCloser([&] { order << QStringLiteral("close"); });
    handle.slot_netloss();
    QCOMPARE(order, (QStringList{QStringLiteral("提示|连接超时，请重新登陆!"), QStringLiteral("close")}));
}

void TestNetLossHandle::callbacksFromTheReceiveThreadAreQueued()
{
    // A real session: the simulator reports a conflict, then the connection is
    // cut; both messages arrive on this thread, through the event loop.
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    OvManageCenter centre;
    OvNetLosssHandle handle(&centre);
    QStringList shown;
    QList<QThread *> threads;
    handle.setPresenter([&](const QString &, const QString &text) {
        shown << text;
        threads << QThread::currentThread();
    });
    centre.setServerAddress(QStringLiteral("127.0.0.1"), sim.dbpPort());
    centre.setCredentials("admin", "admin");
    centre.startReceiveThread();
    QTRY_COMPARE_WITH_TIMEOUT(centre.state(), ConnectionState::LoggedIn, 15000);
    QVERIFY(sim.command(QStringLiteral("conflict 5")).startsWith("ok"));
    QTRY_COMPARE(shown.size(), 1);
    QVERIFY(shown.first().contains(QStringLiteral("  ID:5 ")));
    QVERIFY(sim.command(QStringLiteral("kick")).startsWith("ok"));
    QTRY_COMPARE(shown.size(), 2);
    QCOMPARE(shown.last(), QStringLiteral("连接超时，请重新登陆!"));
    QCOMPARE(threads, (QList<QThread *>{QThread::currentThread(), QThread::currentThread()}));
}

QTEST_GUILESS_MAIN(TestNetLossHandle)
#include "tst_netlosshandle.moc"
