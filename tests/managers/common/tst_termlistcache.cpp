#include "managers/common/TermListCache.h"

#include <QtTest>

namespace {

struct Row
{
    int id = 0;
    QByteArray name;
};

using Cache = TermListCache<Row>;
using Order = Cache::Order;

std::vector<Row> rowsOf(std::initializer_list<int> ids)
{
    std::vector<Row> out;
    for (const int id : ids)
        out.push_back(Row{id, "r" + QByteArray::number(id)});
    return out;
}

QList<int> idsOf(const Cache &cache)
{
    QList<int> ids;
    const auto list = cache.lockList();
    if (list.exists()) {
        for (const Row &r : list.records())
            ids.append(r.id);
    }
    return ids;
}

} // namespace

Q_DECLARE_METATYPE(Order)

// The cache behind every family's list manager: order, lookups, patching.
class TestTermListCache : public QObject
{
    Q_OBJECT
private slots:
    void absentUntilTheFirstList();
    void listOrder_data();
    void listOrder();
    void changes_data();
    void changes();
    void lookupsFollowEveryChange();
    void duplicateIdsActOnTheFirst();
};

void TestTermListCache::absentUntilTheFirstList()
{
    Cache cache(Order::AscendingId);
    QVERIFY(!cache.lockList().exists());
    QVERIFY(!cache.findCopy(1));
    QCOMPARE(cache.applyChange(Row{1, "x"}), Cache::Applied::NoList);
    QVERIFY(!cache.replaceEntry(Row{1, "x"}));
    // Taking the lock again shows none of these left it held.
    QVERIFY(!cache.exists());

    cache.replaceAll({});
    QVERIFY(cache.lockList().exists());
    QCOMPARE(cache.size(), size_t(0));
}

void TestTermListCache::listOrder_data()
{
    QTest::addColumn<Order>("order");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("ascending") << Order::AscendingId << QList<int>{1, 2, 5, 9};
    QTest::newRow("descending") << Order::DescendingId << QList<int>{9, 5, 2, 1};
    QTest::newRow("as received") << Order::AsReceived << QList<int>{5, 1, 9, 2};
}

void TestTermListCache::listOrder()
{
    QFETCH(Order, order);
    QFETCH(QList<int>, expected);
    Cache cache(order);
    cache.replaceAll(rowsOf({5, 1, 9, 2}));
    QCOMPARE(idsOf(cache), expected);
    // A second list replaces the first whole.
    cache.replaceAll(rowsOf({3}));
    QCOMPARE(idsOf(cache), QList<int>{3});
}

void TestTermListCache::changes_data()
{
    QTest::addColumn<Order>("order");
    QTest::addColumn<int>("changedId");
    QTest::addColumn<int>("applied");
    QTest::addColumn<QList<int>>("expected");
    const int replaced = int(Cache::Applied::Replaced);
    const int added = int(Cache::Applied::Added);
    QTest::newRow("ascending: known id stays put") << Order::AscendingId << 5 << replaced << QList<int>{1, 5, 9};
    QTest::newRow("ascending: new id in the middle") << Order::AscendingId << 4 << added << QList<int>{1, 4, 5, 9};
    QTest::newRow("ascending: new id first") << Order::AscendingId << 0 << added << QList<int>{0, 1, 5, 9};
    QTest::newRow("ascending: new id last") << Order::AscendingId << 12 << added << QList<int>{1, 5, 9, 12};
    QTest::newRow("descending: new id in the middle") << Order::DescendingId << 4 << added << QList<int>{9, 5, 4, 1};
    QTest::newRow("as received: known id moves to the end") << Order::AsReceived << 1 << replaced
                                                           << QList<int>{9, 5, 1};
    QTest::newRow("as received: new id appended") << Order::AsReceived << 4 << added << QList<int>{9, 1, 5, 4};
}

void TestTermListCache::changes()
{
    QFETCH(Order, order);
    QFETCH(int, changedId);
    QFETCH(int, applied);
    QFETCH(QList<int>, expected);
    Cache cache(order);
    cache.replaceAll(rowsOf({9, 1, 5}));
    QCOMPARE(int(cache.applyChange(Row{changedId, "changed"})), applied);
    QCOMPARE(idsOf(cache), expected);
    QCOMPARE(cache.findCopy(changedId)->name, QByteArray("changed"));
}

void TestTermListCache::lookupsFollowEveryChange()
{
    // After inserts and removals in the middle, every id still finds its own
    // record (the index is rebuilt, not left pointing at shifted rows).
    Cache cache(Order::AscendingId);
    cache.replaceAll(rowsOf({10, 20, 30, 40}));
    cache.applyChange(Row{15, "r15"});
    cache.applyChange(Row{5, "r5"});
    QVERIFY(cache.remove(30));
    QVERIFY(!cache.remove(30));
    QVERIFY(cache.replaceEntry(Row{40, "forty"}));
    QVERIFY(cache.modify(20, [](Row &r) { r.name = "twenty"; }));
    QVERIFY(!cache.modify(30, [](Row &) {}));
    QCOMPARE(idsOf(cache), (QList<int>{5, 10, 15, 20, 40}));
    const QByteArrayList names{"r5", "r10", "r15", "twenty", "forty"};
    const QList<int> ids{5, 10, 15, 20, 40};
    for (int i = 0; i < ids.size(); ++i)
        QCOMPARE(cache.findCopy(ids[i])->name, names[i]);
    QVERIFY(!cache.findCopy(30));
}

void TestTermListCache::duplicateIdsActOnTheFirst()
{
    Cache cache(Order::AscendingId);
    std::vector<Row> list{{2, "first"}, {1, "one"}, {2, "second"}};
    cache.replaceAll(std::move(list));
    QCOMPARE(idsOf(cache), (QList<int>{1, 2, 2}));
    QCOMPARE(cache.findCopy(2)->name, QByteArray("first"));
    QVERIFY(cache.remove(2));
    QCOMPARE(cache.findCopy(2)->name, QByteArray("second"));
}

QTEST_APPLESS_MAIN(TestTermListCache)
#include "tst_termlistcache.moc"
