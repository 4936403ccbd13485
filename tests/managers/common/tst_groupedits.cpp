#include "managers/common/EditRule.h"
#include "managers/common/MemberIds.h"

#include <QtTest>

#include <set>

namespace {

struct Rec
{
    int id = 0;
    QByteArray name;
};

std::vector<int> idsOf(const TermListCache<Rec> &cache)
{
    std::vector<int> out;
    const auto locked = cache.lockList();
    for (const Rec &r : locked.records())
        out.push_back(r.id);
    return out;
}

} // namespace

Q_DECLARE_METATYPE(std::vector<int>)

// Member lists of groups and regions, and how an edit changes a cached list.
class TestGroupEdits : public QObject
{
    Q_OBJECT
private slots:
    void parseIds_data();
    void parseIds();
    void mergeKeepsOrderAndUnlistedMembers_data();
    void mergeKeepsOrderAndUnlistedMembers();
    void changeRule_data();
    void changeRule();
};

void TestGroupEdits::parseIds_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<std::vector<int>>("ids");
    QTest::newRow("three in order") << QByteArray("105 103 101") << std::vector<int>{105, 103, 101};
    QTest::newRow("empty") << QByteArray("") << std::vector<int>{};
    QTest::newRow("double and trailing blanks") << QByteArray("4  7 ") << std::vector<int>{4, 7};
    QTest::newRow("leading digits") << QByteArray("12x 9") << std::vector<int>{12, 9};
}

void TestGroupEdits::parseIds()
{
    QFETCH(QByteArray, text);
    QFETCH(std::vector<int>, ids);
    QCOMPARE(members::parseIds(text), ids);
    if (!text.contains("  ") && !text.contains('x') && !text.endsWith(' '))
        QCOMPARE(members::joinIds(ids), text);
}

void TestGroupEdits::mergeKeepsOrderAndUnlistedMembers_data()
{
    QTest::addColumn<std::vector<int>>("before");
    QTest::addColumn<std::vector<int>>("listed");
    QTest::addColumn<std::vector<int>>("checked");  // in table order
    QTest::addColumn<std::vector<int>>("after");
    // A fixed-order group 105, 103, 101 shown in ascending table order.
    QTest::newRow("rename keeps the ring order")
        << std::vector<int>{105, 103, 101} << std::vector<int>{101, 102, 103, 104, 105}
        << std::vector<int>{101, 103, 105} << std::vector<int>{105, 103, 101};
    QTest::newRow("new members follow in table order")
        << std::vector<int>{105, 103} << std::vector<int>{101, 102, 103, 104, 105}
        << std::vector<int>{101, 103, 104, 105} << std::vector<int>{105, 103, 101, 104};
    QTest::newRow("unchecked members leave")
        << std::vector<int>{105, 103, 101} << std::vector<int>{101, 103, 105} << std::vector<int>{101}
        << std::vector<int>{101};
    QTest::newRow("unlisted members stay in place")
        << std::vector<int>{900, 103, 901} << std::vector<int>{101, 103} << std::vector<int>{101}
        << std::vector<int>{900, 901, 101};
    QTest::newRow("nothing listed: a failed fetch keeps everyone")
        << std::vector<int>{5, 3, 8} << std::vector<int>{} << std::vector<int>{} << std::vector<int>{5, 3, 8};
}

void TestGroupEdits::mergeKeepsOrderAndUnlistedMembers()
{
    QFETCH(std::vector<int>, before);
    QFETCH(std::vector<int>, listed);
    QFETCH(std::vector<int>, checked);
    QFETCH(std::vector<int>, after);
    const std::set<int> shown(listed.begin(), listed.end());
    QCOMPARE(members::mergeEdited(before, [&shown](int id) { return shown.count(id) > 0; }, checked), after);
}

void TestGroupEdits::changeRule_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("applied");
    QTest::addColumn<std::vector<int>>("ids");
    QTest::addColumn<QByteArray>("nameOf3");
    const int add = int(EditAction::Add), mod = int(EditAction::Mod), del = int(EditAction::Del);
    const std::vector<int> unchanged{3, 12};
    QTest::newRow("found, Add") << 3 << add << int(EditApplied::Nothing) << unchanged << QByteArray("old");
    QTest::newRow("found, Mod") << 3 << mod << int(EditApplied::Changed) << unchanged << QByteArray("new");
    QTest::newRow("found, Del") << 3 << del << int(EditApplied::Deleted) << std::vector<int>{12} << QByteArray();
    QTest::newRow("not found, Add") << 20 << add << int(EditApplied::Changed) << std::vector<int>{3, 12, 20}
                                    << QByteArray("old");
    QTest::newRow("not found, Mod") << 20 << mod << int(EditApplied::Changed) << std::vector<int>{3, 12, 20}
                                    << QByteArray("old");
    QTest::newRow("not found, Del") << 20 << del << int(EditApplied::Nothing) << unchanged << QByteArray("old");
}

void TestGroupEdits::changeRule()
{
    QFETCH(int, id);
    QFETCH(int, action);
    QFETCH(int, applied);
    QFETCH(std::vector<int>, ids);
    QFETCH(QByteArray, nameOf3);
    TermListCache<Rec> cache(TermListCache<Rec>::Order::AsReceived);
    cache.replaceAll({Rec{3, "old"}, Rec{12, "twelve"}});
    QCOMPARE(int(applyEdit(cache, Rec{id, "new"}, EditAction(action))), applied);
    QCOMPARE(idsOf(cache), ids);
    const std::optional<Rec> three = cache.findCopy(3);
    QCOMPARE(three ? three->name : QByteArray(), nameOf3);
}

QTEST_MAIN(TestGroupEdits)
#include "tst_groupedits.moc"
