#include "framework/OvDataViewCtrl.h"
#include "framework/OvSelectTableCtrl.h"
#include "framework/OvTermTbCtrl.h"
#include "framework/TableHelpers.h"

#include <QCheckBox>
#include <QTableWidget>
#include <QtTest>

namespace {
QColor rowColour(const QTableWidget &t, int row)
{
    return t.item(row, 0)->background().color();
}

void fill(OvSelectTableCtrl &ctrl, int rows)
{
    for (int i = 0; i < rows; ++i)
        ctrl.addRow(QStringLiteral("T%1").arg(i), 100 + i, QStringLiteral("IP"), false);
}
} // namespace

class TestTables : public QObject
{
    Q_OBJECT
private slots:
    void helpersKeepIds()
    {
        QTableWidget table(3, 3);
        tablehelp::setupTable(&table);
        QCOMPARE(table.editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(table.selectionBehavior(), QAbstractItemView::SelectRows);
        tablehelp::setCell(&table, QStringLiteral("a"), 0, 0, 7);
        tablehelp::setCell(&table, QByteArray("乙"), 1, 0, 8);
        tablehelp::setCell(&table, QStringLiteral("b1"), 1, 1, 80);
        QCOMPARE(tablehelp::idAt(&table, 0, 0), 7);
        QCOMPARE(table.item(1, 0)->text(), QStringLiteral("乙"));
        QCOMPARE(tablehelp::idAt(&table, 2, 2), -1);
        QCOMPARE(tablehelp::idAt(nullptr, 0, 0), -1);

        OvDataViewCtrl rows(&table);
        QCOMPARE(rows.findRow(8), 1);
        QCOMPARE(rows.findRow(9), -1);
        QCOMPARE(rows.idAtRow(2), -1);
        rows.setIdAtRow(2, 9);
        QCOMPARE(rows.findRow(9), 2);

        // Column 1 of row 0 is empty: swapping still moves row 1's cell up.
        tablehelp::swapRows(&table, 0, 1, 3);
        QCOMPARE(tablehelp::idAt(&table, 0, 0), 8);
        QCOMPARE(table.item(0, 1)->text(), QStringLiteral("b1"));
        QCOMPARE(tablehelp::idAt(&table, 1, 0), 7);
        QCOMPARE(table.currentRow(), 0);

        QCOMPARE(tablehelp::clearTable(&table), 0);
        QCOMPARE(table.rowCount(), 0);
        QCOMPARE(tablehelp::clearTable(nullptr), -1);
        QCOMPARE(tablehelp::removeRow(nullptr, 0), -1);
    }

    void onOffCells()
    {
        QTableWidget table(1, 3);
        OvTermTbCtrl ctrl(&table);
        ctrl.setOnOffCell(0, 0, 0);
        ctrl.setOnOffCell(0, 1, 1);
        ctrl.setOnOffCell(0, 2, 5);
        QCOMPARE(table.item(0, 0)->text(), QStringLiteral("close"));
        QCOMPARE(table.item(0, 1)->text(), QStringLiteral("open"));
        QCOMPARE(table.item(0, 2)->text(), QString());
        QCOMPARE(tablehelp::idAt(&table, 0, 2), 5);
    }

    void selectModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<bool>("idHidden");
        QTest::newRow("1") << 1 << QStringList{"名称", "类型"} << false;
        QTest::newRow("2") << 2 << QStringList{"名称", "ID"} << false;
        QTest::newRow("4") << 4 << QStringList{"名称", "ID"} << true;
        QTest::newRow("0") << 0 << QStringList{"名称", "ID", "类型"} << false;
    }
    void selectModes()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, headers);
        QFETCH(bool, idHidden);
        QTableWidget table;
        OvSelectTableCtrl ctrl(mode);
        ctrl.bind(&table);
        QCOMPARE(table.columnCount(), headers.size());
        for (int c = 0; c < headers.size(); ++c)
            QCOMPARE(table.horizontalHeaderItem(c)->text(), headers[c]);
        QCOMPARE(table.isColumnHidden(1), idHidden);
        QCOMPARE(table.selectionMode(), QAbstractItemView::SingleSelection);
        ctrl.addRow(QStringLiteral("甲"), 42, QStringLiteral("Mic35"), true);
        QCOMPARE(tablehelp::idAt(&table, 0, 0), 42);
        QCOMPARE(table.item(0, 0)->checkState(), Qt::Checked);
        QVERIFY(ctrl.isRowSelected(0));
        QCOMPARE(rowColour(table, 0), QColor(254, 230, 192));
        QCOMPARE(table.item(0, 1)->text(), mode == 1 ? QStringLiteral("Mic35") : QStringLiteral("42"));
    }

    void multiSelectToggleAndAll()
    {
        QTableWidget table;
        QCheckBox all;
        OvSelectTableCtrl ctrl(0);
        ctrl.bind(&table, &all);
        QCOMPARE(table.selectionMode(), QAbstractItemView::MultiSelection);
        fill(ctrl, 3);
        QVERIFY(!ctrl.changed());

        ctrl.slot_tableItemClicked(table.item(1, 2));
        QVERIFY(ctrl.changed());
        QVERIFY(ctrl.isRowSelected(1));
        QCOMPARE(table.item(1, 0)->checkState(), Qt::Checked);
        QCOMPARE(rowColour(table, 1), QColor(254, 230, 192));
        QCOMPARE(ctrl.selectedIds(), QVector<int>{101});

        all.setChecked(true);
        QCOMPARE(ctrl.selectedIds(), (QVector<int>{100, 101, 102}));

        // Unselecting one row unchecks the box but keeps the other rows.
        ctrl.slot_tableItemClicked(table.item(0, 0));
        QVERIFY(!all.isChecked());
        QCOMPARE(ctrl.selectedIds(), (QVector<int>{101, 102}));
        QCOMPARE(rowColour(table, 0), QColor(255, 255, 255));

        // Unchecking a box that did not select everything clears nothing.
        all.setChecked(true);
        all.setChecked(false);
        QCOMPARE(ctrl.selectedIds(), QVector<int>{});
        ctrl.slot_tableItemClicked(table.item(2, 0));
        all.blockSignals(true);
        all.setChecked(true);
        all.blockSignals(false);
        all.setChecked(false);
        QCOMPARE(ctrl.selectedIds(), QVector<int>{102});
    }

    void singleSelectKeepsOne()
    {
        QTableWidget table;
        OvSelectTableCtrl ctrl(2);
        ctrl.bind(&table);
        fill(ctrl, 3);
        ctrl.slot_singleTableItemClicked(table.item(0, 0));
        ctrl.slot_singleTableItemClicked(table.item(2, 1));
        QCOMPARE(ctrl.selectedIds(), QVector<int>{102});
        QCOMPARE(table.item(0, 0)->checkState(), Qt::Unchecked);
        QCOMPARE(rowColour(table, 0), QColor(255, 255, 255));
        ctrl.slot_singleTableItemClicked(table.item(2, 0));
        QCOMPARE(ctrl.selectedIds(), QVector<int>{});
        QVERIFY(ctrl.changed());
    }

    void clickOnTableTogglesOnce()
    {
        // A real click on the check box column must toggle once, not twice.
        QTableWidget table;
        QCheckBox all;
        OvSelectTableCtrl ctrl(0);
        ctrl.bind(&table, &all);
        fill(ctrl, 2);
        table.resize(400, 200);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        const QRect cell = table.visualItemRect(table.item(1, 0));
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(ctrl.selectedIds(), QVector<int>{101});
    }
};

QTEST_MAIN(TestTables)
#include "tst_tables.moc"
