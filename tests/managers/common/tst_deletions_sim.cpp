#include "SimCentre.h"
#include "managers/callstations/OvM26ListMgr.h"
#include "managers/callstations/OvM48ListMgr.h"
#include "view/CaptureHolder.h"
#include "managers/firealarm/OvFAlarmListMgr.h"
#include "managers/m37/OvM37ListMgr.h"
#include "managers/mic/OvMicListMgr.h"
#include "managers/terminals/OvPlayTermListMgr.h"
#include "managers/tts/OvTtsListMgr.h"
#include "view/OvCreateViewCtrMgr.h"
#include "view/OvQtViewCtrl.h"
#include "view/OvQtViewSignal.h"

#include <QtTest>

#include <functional>
#include <map>

// Deletions by the server, through the simulator's DELETE messages: each
// family's list manager drops the record and says so; a DELETE that names
// no family changes nothing.
class TestDeletionsSim : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void familyDeletionRemovesTheRecord_data();
    void familyDeletionRemovesTheRecord();
    void deletionOfNoFamilyChangesNothing_data();
    void deletionOfNoFamilyChangesNothing();

private:
    // How the test sees one family: its DELETE type, whether a record is
    // cached, and the list manager's delete signal.
    struct Family
    {
        QByteArray key;
        std::function<bool(int id)> has;
        QObject *emitter = nullptr;
        const char *deletedSignal = nullptr;
    };

    bool sendDelete(const QByteArray &type, int id);

    SimCentre m_sim;
    std::unique_ptr<OvPlayTermListMgr> m_terminals;
    std::unique_ptr<OvMicListMgr> m_mics;
    std::unique_ptr<OvM26ListMgr> m_m26;
    std::unique_ptr<OvM48ListMgr> m_m48;
    std::unique_ptr<OvM37ListMgr> m_m37;
    std::unique_ptr<CaptureHolder> m_caps;
    std::unique_ptr<OvTtsListMgr> m_tts;
    std::unique_ptr<OvFAlarmListMgr> m_alarms;
    std::map<QString, Family> m_families;
};

void TestDeletionsSim::initTestCase()
{
    QVERIFY(m_sim.start());
    OvManageCenter *centre = m_sim.centre.get();
    m_terminals = std::make_unique<OvPlayTermListMgr>(centre);
    QCOMPARE(m_terminals->fetchList(), 0);
    m_mics = std::make_unique<OvMicListMgr>(centre);
    QCOMPARE(m_mics->fetchList(), 0);
    m_m26 = std::make_unique<OvM26ListMgr>(centre);
    m_m48 = std::make_unique<OvM48ListMgr>(centre);
    m_m37 = std::make_unique<OvM37ListMgr>(centre);
    QCOMPARE(m_m37->fetchList(), 0);
    m_caps = std::make_unique<CaptureHolder>();
    m_caps->setViewCtrl(OvCreateViewCtrMgr::instance().create(OvCreateViewCtrMgr::QtView));
    QCOMPARE(m_caps->fetchList(centre), 0);
    m_tts = std::make_unique<OvTtsListMgr>(centre);
    m_alarms = std::make_unique<OvFAlarmListMgr>(centre);
    QCOMPARE(m_alarms->fetchList(), 0);

    m_families["terminals"] = {"01", [this](int id) { return bool(m_terminals->findCopy(id)); }, m_terminals.get(),
                               SIGNAL(playTermDeleted(int))};
    m_families["mic"] = {"MIC", [this](int id) { return bool(m_mics->findCopy(id)); }, m_mics.get(),
                         SIGNAL(micDeleted(int))};
    m_families["m26"] = {"M26", [this](int id) { return bool(m_m26->findCopy(id)); }, m_m26.get(),
                         SIGNAL(m26Deleted(int))};
    m_families["m48"] = {"M48", [this](int id) { return bool(m_m48->findCopy(id)); }, m_m48.get(),
                         SIGNAL(m48Deleted(int))};
    m_families["m37"] = {"M37", [this](int id) { return bool(m_m37->findCopy(id)); }, m_m37.get(),
                         SIGNAL(m37Deleted(int))};
    m_families["capture"] = {"CAP", [this](int id) { return bool(m_caps->findCopy(id)); },
                             m_caps->viewCtrl()->viewSignal(), SIGNAL(delTerminal(int))};
    m_families["tts"] = {"Tts", [this](int id) { return bool(m_tts->findCopy(id)); }, m_tts.get(),
                         SIGNAL(TTsDeleted(int))};
    m_families["firealarm"] = {"FAlarm", [this](int id) { return bool(m_alarms->findCopy(id)); }, m_alarms.get(),
                               SIGNAL(m37Deleted(int))};
}

void TestDeletionsSim::cleanupTestCase()
{
    m_sim.stopThread();
    m_families.clear();
    m_alarms.reset();
    m_tts.reset();
    m_caps.reset();
    m_m37.reset();
    m_m48.reset();
    m_m26.reset();
    m_mics.reset();
    m_terminals.reset();
}

bool TestDeletionsSim::sendDelete(const QByteArray &type, int id)
{
    return m_sim.sim->command(QStringLiteral("delete %1 %2").arg(QString::fromUtf8(type)).arg(id))
        == QLatin1String("ok");
}

void TestDeletionsSim::familyDeletionRemovesTheRecord_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("id");
    QTest::newRow("amplifiers and player terminals") << "terminals" << 24;
    QTest::newRow("paging microphones") << "mic" << 106;
    QTest::newRow("M26 call stations") << "m26" << 205;
    QTest::newRow("M48 call stations") << "m48" << 304;
    QTest::newRow("M37 mobile devices") << "m37" << 403;
    QTest::newRow("capture boxes") << "capture" << 503;
    QTest::newRow("TTS boxes") << "tts" << 602;
    QTest::newRow("fire-alarm interfaces") << "firealarm" << 703;
}

void TestDeletionsSim::familyDeletionRemovesTheRecord()
{
    QFETCH(QString, family);
    QFETCH(int, id);
    const Family &f = m_families.at(family);
    QVERIFY(f.has(id));
    QSignalSpy deleted(f.emitter, f.deletedSignal);
    QVERIFY(deleted.isValid());
    QVERIFY(sendDelete(f.key, id));
    QTRY_VERIFY(!f.has(id));
    QTRY_COMPARE(deleted.count(), 1);
    QCOMPARE(deleted.at(0).at(0).toInt(), id);
}

void TestDeletionsSim::deletionOfNoFamilyChangesNothing_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("later");  // deleted afterwards with the family's own type
    QTest::newRow("unknown type") << QByteArray("Nope") << "terminals" << 23 << 22;
    QTest::newRow("another family's type") << QByteArray("M48") << "m26" << 204 << 203;
    QTest::newRow("family type in another case") << QByteArray("cap") << "capture" << 502 << 501;
}

void TestDeletionsSim::deletionOfNoFamilyChangesNothing()
{
    QFETCH(QByteArray, type);
    QFETCH(QString, family);
    QFETCH(int, id);
    QFETCH(int, later);
    const Family &f = m_families.at(family);
    QVERIFY(f.has(id));
    QSignalSpy deleted(f.emitter, f.deletedSignal);
    QVERIFY(sendDelete(type, id));
    // Messages are handled in order: once the later one has removed its
    // record, the first one has been seen.
    QVERIFY(sendDelete(f.key, later));
    QTRY_VERIFY(!f.has(later));
    QVERIFY(f.has(id));
    QTRY_COMPARE(deleted.count(), 1);
    QCOMPARE(deleted.at(0).at(0).toInt(), later);
    QCOMPARE(m_sim.centre->state(), ConnectionState::LoggedIn);
}

QTEST_MAIN(TestDeletionsSim)
#include "tst_deletions_sim.moc"
