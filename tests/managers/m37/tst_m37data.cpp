#include "managers/m37/OvM37ListMgr.h"
#include "managers/m37/OvM37Manage.h"
#include "protocol/OvManageCenter.h"
#include "util/BodyParsers.h"

#include <QtTest>

// The M37 family without a server (the centre is not connected).
class TestM37Data : public QObject
{
    Q_OBJECT
private slots:
    void rows_data();
    void rows();
    void cacheOrderAndChanges();
};

void TestM37Data::rows_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("empty name") << QByteArray(R"({"terminalId":"30","name":""})") << 30 << QByteArray("M37_30");
    QTest::newRow("named") << QByteArray(R"({"terminalId":"401","name":"Patrol","ver":"V1"})") << 401
                           << QByteArray("Patrol");
    QTest::newRow("no id") << QByteArray(R"({"name":""})") << 0 << QByteArray("M37_0");
}

void TestM37Data::rows()
{
    QFETCH(QByteArray, row);
    QFETCH(int, id);
    QFETCH(QByteArray, name);
    Json::Value v;
    QVERIFY(body::parseJson(row, v));
    const OvM37 m = OvM37::fromRow(v);
    QCOMPARE(m.id, id);
    QCOMPARE(m.name, name);
}

void TestM37Data::cacheOrderAndChanges()
{
    OvManageCenter centre;
    OvM37ListMgr list(&centre);
    QVERIFY(list.lockList().exists());
    QCOMPARE(list.fetchList(), 4);
    auto *manage = dynamic_cast<OvM37Manage *>(centre.manager(OvManageCenter::M37Slot));
    QSignalSpy got(&list, &OvM37ListMgr::gotM37List);
    QSignalSpy changed(&list, &OvM37ListMgr::m37Changed);

    manage->onOk(278, R"([{"terminalId":"4"},{"terminalId":"9"},{"terminalId":"6"}])");
    QVERIFY(manage->onNotify("SqlConfig_m37", R"([{"terminalId":"12"},{"terminalId":"9","status":"1"}])"));
    QList<int> ids;
    {
        const auto locked = list.lockList();
        for (const OvM37 &m : locked.records())
            ids.append(m.id);
    }
    QCOMPARE(ids, QList<int>({6, 4, 12, 9}));
    QTRY_COMPARE(changed.count(), 2);
    QCOMPARE(changed.at(0).at(0).toInt(), 12);
    QCOMPARE(got.count(), 1);

    // A delete of the family removes the device; another family's does not.
    QSignalSpy deleted(&list, &OvM37ListMgr::m37Deleted);
    manage->onDelete("M26", 4);
    manage->onDelete("M37", 6);
    manage->onDelete("M37", 99);
    QVERIFY(!list.findCopy(6));
    QVERIFY(list.findCopy(4));
    QTRY_COMPARE(deleted.count(), 1);
    QCOMPARE(deleted.at(0).at(0).toInt(), 6);
    QVERIFY(!manage->onNotify("SqlConfig_m37x", "[]"));
}

QTEST_MAIN(TestM37Data)
#include "tst_m37data.moc"
