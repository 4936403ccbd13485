#include "view/CaptureHolder.h"
#include "managers/capture/OvCapManage.h"
#include "protocol/OvManageCenter.h"
#include "view/OvCreateViewCtrMgr.h"
#include "view/OvQtViewCtrl.h"
#include "view/OvQtViewSignal.h"

#include <QtTest>

namespace {

QList<int> heldIds(CaptureHolder &holder)
{
    QList<int> ids;
    const auto locked = holder.lockList();
    if (locked.exists()) {
        for (const OvCap &c : locked.records())
            ids.append(c.id);
    }
    return ids;
}

} // namespace

// The capture boxes without a server: rows (a bad id skips its row only),
// and the capture holder as the manager's callbacks leave it.
class TestCaptureData : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void terminalIds_data();
    void terminalIds();
    void badRowsAreSkippedAndTheOthersKept();
    void holderOrderAndCallbacks();

private:
    std::unique_ptr<OvManageCenter> m_centre;
    std::unique_ptr<CaptureHolder> m_holder;
    OvCapManage *m_manage = nullptr;
};

void TestCaptureData::init()
{
    m_centre = std::make_unique<OvManageCenter>();
    m_holder = std::make_unique<CaptureHolder>();
    m_holder->setViewCtrl(OvCreateViewCtrMgr::instance().create(OvCreateViewCtrMgr::QtView));
    QCOMPARE(m_holder->fetchList(m_centre.get()), 4);
    m_manage = dynamic_cast<OvCapManage *>(m_centre->manager(OvManageCenter::CapSlot));
}

void TestCaptureData::cleanup()
{
    m_holder.reset();
    m_centre.reset();
}

void TestCaptureData::terminalIds_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("id");
    QTest::newRow("number") << QByteArray("501") << true << 501;
    QTest::newRow("letters after") << QByteArray("12ab") << true << 12;
    QTest::newRow("blanks and sign") << QByteArray("  -7") << true << -7;
    QTest::newRow("largest") << QByteArray("2147483647") << true << 2147483647;
    QTest::newRow("smallest") << QByteArray("-2147483648") << true << int(-2147483647 - 1);
    QTest::newRow("empty") << QByteArray() << false << 0;
    QTest::newRow("letters") << QByteArray("abc") << false << 0;
    QTest::newRow("sign only") << QByteArray("-") << false << 0;
    QTest::newRow("too large") << QByteArray("2147483648") << false << 0;
    QTest::newRow("far too large") << QByteArray("99999999999999999999999") << false << 0;
}

void TestCaptureData::terminalIds()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, valid);
    QFETCH(int, id);
    const std::optional<int> got = OvCap::strictId(text);
    QCOMPARE(got.has_value(), valid);
    if (valid)
        QCOMPARE(*got, id);
}

void TestCaptureData::badRowsAreSkippedAndTheOthersKept()
{
    m_manage->onOk(75, R"([{"terminalId":"1","name":""},{"terminalId":"x1"},{"terminalId":"3"},)"
                       R"({"terminalId":"5000000000"},{"name":"no id"},{"terminalId":"2"}])");
    QCOMPARE(heldIds(*m_holder), QList<int>({3, 2, 1}));
    QCOMPARE(m_holder->findCopy(1)->name, QByteArray("Cap_1"));
    QVERIFY(m_manage->onNotify("SqlConfig_capm59", R"([{"terminalId":""},{"terminalId":"4"}])"));
    QCOMPARE(heldIds(*m_holder), QList<int>({3, 2, 1, 4}));
}

void TestCaptureData::holderOrderAndCallbacks()
{
    OvQtViewSignal *view = m_holder->viewCtrl()->viewSignal();
    QSignalSpy have(view, &OvQtViewSignal::haveTerminals);
    QSignalSpy updated(view, &OvQtViewSignal::updateTerminal);
    QSignalSpy deleted(view, &OvQtViewSignal::delTerminal);

    // Before the first list a change is dropped.
    QVERIFY(m_manage->onNotify("SqlConfig_capm59", R"([{"terminalId":"9"}])"));
    QVERIFY(!m_holder->hasList());
    QCOMPARE(updated.count(), 0);

    m_manage->onOk(75, R"([{"terminalId":"3"},{"terminalId":"1"},{"terminalId":"2"}])");
    QCOMPARE(heldIds(*m_holder), QList<int>({3, 2, 1}));
    QCOMPARE(have.count(), 1);
    QVERIFY(m_manage->onNotify("SqlConfig_capm59", R"([{"terminalId":"5"},{"terminalId":"3","capVol":"9"}])"));
    QCOMPARE(heldIds(*m_holder), QList<int>({2, 1, 5, 3}));
    QCOMPARE(updated.count(), 2);
    QCOMPARE(updated.at(0).at(0).toInt(), 5);

    for (int slot = 0; slot < OvManageCenter::SlotCount; ++slot) {
        if (OvBaseMgr *m = m_centre->manager(slot))
            m->onDelete("CAP", 1);
    }
    QCOMPARE(heldIds(*m_holder), QList<int>({2, 5, 3}));
    QCOMPARE(deleted.count(), 1);
    m_manage->onDelete("CAP", 77);
    QCOMPARE(deleted.count(), 1);
}

QTEST_MAIN(TestCaptureData)
#include "tst_capturedata.moc"
