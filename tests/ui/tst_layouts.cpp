#include "framework/FlowLayout.h"

#include <QWidget>
#include <QtTest>

namespace {
QWidget *fixedBox(QWidget *parent, int width, int height)
{
    auto *w = new QWidget(parent);
    w->setFixedSize(width, height);
    return w;
}
} // namespace

class TestLayouts : public QObject
{
    Q_OBJECT
private slots:
    void flowWrapsWhereTheNextItemDoesNotFit_data();
    void flowWrapsWhereTheNextItemDoesNotFit();
    void flowAsksOnlyForItsWidestItem();
};

void TestLayouts::flowWrapsWhereTheNextItemDoesNotFit_data()
{
    // Items 100, 60 and 80 wide, 20 high, spacing 10, no margins.
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<QPoint>>("positions");
    QTest::addColumn<int>("height");
    QTest::newRow("all in one row") << 260 << QList<QPoint>{{0, 0}, {110, 0}, {180, 0}} << 20;
    QTest::newRow("one pixel short: the last wraps") << 259 << QList<QPoint>{{0, 0}, {110, 0}, {0, 30}} << 50;
    QTest::newRow("two rows") << 170 << QList<QPoint>{{0, 0}, {110, 0}, {0, 30}} << 50;
    QTest::newRow("one per row") << 100 << QList<QPoint>{{0, 0}, {0, 30}, {0, 60}} << 80;
}

void TestLayouts::flowWrapsWhereTheNextItemDoesNotFit()
{
    QFETCH(int, width);
    QFETCH(QList<QPoint>, positions);
    QWidget page;
    auto *flow = new FlowLayout(&page, 10);
    flow->setContentsMargins(0, 0, 0, 0);
    const QList<QWidget *> items{fixedBox(&page, 100, 20), fixedBox(&page, 60, 20), fixedBox(&page, 80, 20)};
    for (QWidget *w : items)
        flow->addWidget(w);
    QTEST(flow->heightForWidth(width), "height");
    flow->setGeometry(QRect(0, 0, width, 200));
    for (int i = 0; i < items.size(); ++i)
        QCOMPARE(items[i]->pos(), positions[i]);
}

void TestLayouts::flowAsksOnlyForItsWidestItem()
{
    QWidget page;
    auto *flow = new FlowLayout(&page, 10);
    flow->setContentsMargins(4, 3, 4, 3);
    for (int width : {100, 160, 80})
        flow->addWidget(fixedBox(&page, width, 20));
    QCOMPARE(flow->minimumSize(), QSize(168, 26));
    QCOMPARE(flow->sizeHint(), QSize(100 + 160 + 80 + 2 * 10 + 8, 26));
    QVERIFY(flow->hasHeightForWidth());
    QCOMPARE(flow->heightForWidth(168), 3 * 20 + 2 * 10 + 6);
}

QTEST_MAIN(TestLayouts)
#include "tst_layouts.moc"
