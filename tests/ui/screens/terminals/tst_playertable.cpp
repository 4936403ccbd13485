#include "managers/terminals/OvTerminal.h"
#include "screens/terminals/DefaultSetOrder.h"
#include "screens/terminals/OvPlayerTableCtrl.h"
#include "screens/terminals/TerminalModels.h"

#include <QTableWidget>
#include <QtTest>

namespace {
OvTerminal terminal(int id, const char *type, int status, bool ampWarning = false, int speaker = 1)
{
    OvTerminal t;
    t.id = id;
    t.type = type;
    t.exten = "--";
    t.status = status;
    t.ampWarning = ampWarning;
    t.speaker = speaker;
    t.ampTemp = 47;
    t.name = "T" + QByteArray::number(id);
    return t;
}

const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kGrey(192, 192, 192);
} // namespace

class TestPlayerTable : public QObject
{
    Q_OBJECT
private slots:
    void computedCells_data();
    void computedCells();
    void modelLabels_data();
    void modelLabels();
    void rowsFoundById();
    void defaultSetOrder_data();
    void defaultSetOrder();
};

void TestPlayerTable::computedCells_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("ampWarning");
    QTest::addColumn<int>("speaker");
    QTest::addColumn<QString>("statusText");
    QTest::addColumn<QColor>("statusColour");
    QTest::addColumn<QString>("temperature");
    QTest::addColumn<QColor>("temperatureColour");
    QTest::addColumn<QString>("speakerText");
    QTest::addColumn<QColor>("speakerColour");

    const QString none = QStringLiteral("---");
    const QString cross = QStringLiteral("×");
    const QString temp = QStringLiteral("47 ℃");
    QTest::newRow("IP offline") << QByteArray("IP") << 0 << false << 1 << "Off Line" << kBlack << cross << kBlack
                                << cross << kBlack;
    QTest::newRow("IP offline, warning ignored") << QByteArray("IP") << 0 << true << 2 << "Off Line" << kBlack
                                                 << cross << kBlack << cross << kBlack;
    QTest::newRow("IP idle, pass") << QByteArray("IP") << 1 << false << 1 << "Idle" << kBlack << temp << kBlack
                                   << "Pass" << kBlack;
    QTest::newRow("IP broadcasting, open circuit") << QByteArray("IP") << 2 << false << 0 << "Broadcasting"
                                                   << kBlack << temp << kBlack << "Open Circuit" << kRed;
    QTest::newRow("IP mic, short circuit") << QByteArray("IP") << 3 << false << 2 << "Mic Broadcast" << kBlack
                                           << temp << kBlack << "Short Circuit" << kRed;
    QTest::newRow("IP warning, checking") << QByteArray("IP") << 4 << false << 3 << "Warning" << kBlack << temp
                                          << kBlack << "Checking" << kRed;
    QTest::newRow("IP emergency is red") << QByteArray("IP") << 5 << false << 1 << "EmergencyBroadcast" << kRed
                                         << temp << kBlack << "Pass" << kBlack;
    QTest::newRow("IP idle with amp warning") << QByteArray("IP") << 1 << true << 1 << "Amp Warning" << kRed
                                              << temp << kBlack << cross << kRed;
    QTest::newRow("IP unknown status") << QByteArray("IP") << 9 << false << 1 << "Off Line" << kBlack << temp
                                       << kBlack << "Pass" << kBlack;
    QTest::newRow("PT idle") << QByteArray("PT") << 1 << false << 1 << "Idle" << kBlack << none << kGrey << none
                             << kGrey;
    QTest::newRow("PT offline") << QByteArray("PT") << 0 << false << 0 << "Off Line" << kBlack << none << kGrey
                                << none << kGrey;
    QTest::newRow("PT amp warning") << QByteArray("PT") << 2 << true << 2 << "Amp Warning" << kRed << none << kGrey
                                    << none << kGrey;
}

void TestPlayerTable::computedCells()
{
    QFETCH(QByteArray, type);
    QFETCH(int, status);
    QFETCH(bool, ampWarning);
    QFETCH(int, speaker);
    QFETCH(QString, statusText);
    QFETCH(QColor, statusColour);
    QFETCH(QString, temperature);
    QFETCH(QColor, temperatureColour);
    QFETCH(QString, speakerText);
    QFETCH(QColor, speakerColour);
    QTableWidget table;
    OvPlayerTableCtrl ctrl(&table);
    ctrl.fill({terminal(7, type.constData(), status, ampWarning, speaker)});
    QCOMPARE(table.rowCount(), 1);
    const struct
    {
        int column;
        QString text;
        QColor colour;
    } expected[] = {{OvPlayerTableCtrl::StatusColumn, statusText, statusColour},
                    {OvPlayerTableCtrl::TemperatureColumn, temperature, temperatureColour},
                    {OvPlayerTableCtrl::SpeakerColumn, speakerText, speakerColour}};
    for (const auto &e : expected) {
        const QTableWidgetItem *item = table.item(0, e.column);
        QVERIFY(item);
        QCOMPARE(item->text(), e.text);
        QCOMPARE(item->foreground().color(), e.colour);
        QCOMPARE(item->data(Qt::UserRole).toInt(), 0);
    }
}

void TestPlayerTable::modelLabels_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("exten");
    QTest::addColumn<int>("family");
    using F = terminalmodels::Family;
    QTest::newRow("IP without exten") << QByteArray("IP") << QByteArray("--") << int(F::IpAmplifier);
    QTest::newRow("exten wins over type") << QByteArray("IP") << QByteArray("0917") << int(F::PlayerTerminal);
    QTest::newRow("PT") << QByteArray("PT") << QByteArray("--") << int(F::PlayerTerminal);
    QTest::newRow("last amplifier code") << QByteArray("IP") << QByteArray("0826") << int(F::IpAmplifier);
    QTest::newRow("column speaker") << QByteArray("IP") << QByteArray("0710") << int(F::ColumnSpeaker);
    QTest::newRow("ceiling speaker") << QByteArray("IP") << QByteArray("0615") << int(F::CeilingSpeaker);
    QTest::newRow("last code of the table") << QByteArray("IP") << QByteArray("0515") << int(F::Decoder);
    QTest::newRow("unknown exten") << QByteArray("IP") << QByteArray("9999") << int(F::Other);
    QTest::newRow("empty exten falls back to type") << QByteArray("PT") << QByteArray() << int(F::PlayerTerminal);
}

void TestPlayerTable::modelLabels()
{
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, exten);
    QFETCH(int, family);
    const auto f = static_cast<terminalmodels::Family>(family);
    QCOMPARE(terminalmodels::familyOf(terminalmodels::modelCode(type, exten)), f);
    QTableWidget table;
    OvPlayerTableCtrl ctrl(&table);
    OvTerminal t = terminal(3, type.constData(), 1);
    t.exten = exten;
    ctrl.fill({t});
    QCOMPARE(table.item(0, OvPlayerTableCtrl::TypeColumn)->text(), terminalmodels::familyLabel(f));
}

void TestPlayerTable::rowsFoundById()
{
    QTableWidget table;
    OvPlayerTableCtrl ctrl(&table);
    ctrl.fill({terminal(2, "IP", 1), terminal(5, "PT", 0), terminal(9, "IP", 2)});
    QCOMPARE(table.columnCount(), 9);
    QCOMPARE(table.horizontalHeaderItem(4)->text(), QStringLiteral("工作状态"));
    for (int row = 0; row < 3; ++row) {
        const int id = table.item(row, OvPlayerTableCtrl::IdColumn)->text().toInt();
        QCOMPARE(ctrl.rowOf(id), row);
        for (int column : {0, 1, 2})
            QCOMPARE(table.item(row, column)->data(Qt::UserRole).toInt(), id);
    }
    QCOMPARE(ctrl.rowOf(4), -1);

    OvTerminal changed = terminal(9, "IP", 0);
    changed.name = "renamed";
    QVERIFY(ctrl.update(changed));
    QCOMPARE(table.item(2, OvPlayerTableCtrl::NameColumn)->text(), QStringLiteral("renamed"));
    QCOMPARE(table.item(2, OvPlayerTableCtrl::TemperatureColumn)->text(), QStringLiteral("×"));
    QVERIFY(!ctrl.update(terminal(4, "IP", 1)));

    // Removing a row moves the rows below it up in the index too.
    ctrl.removeTableRow(0);
    QCOMPARE(ctrl.rowOf(2), -1);
    QCOMPARE(ctrl.rowOf(5), 0);
    QCOMPARE(ctrl.rowOf(9), 1);
    OvTerminal powered = terminal(5, "PT", 1);
    powered.power = true;
    QVERIFY(ctrl.update(powered));
    QCOMPARE(table.item(0, OvPlayerTableCtrl::PowerColumn)->data(Qt::UserRole).toInt(), 1);
}

void TestPlayerTable::defaultSetOrder_data()
{
    // "id:master" in id order; the rows as ids, and which are greyed.
    QTest::addColumn<QString>("terminals");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("greyed");
    QTest::newRow("masters only") << "1:0 2:0 3:0" << "1 2 3" << "---";
    QTest::newRow("slaves follow their master in id order") << "1:0 2:0 3:1 4:2 5:1" << "1 3 5 2 4" << "-gg-g";
    QTest::newRow("master listed after its slave") << "1:5 5:0" << "1 5" << "g-";
    QTest::newRow("unknown master: at the end") << "1:0 2:99 3:0" << "1 2 3" << "-g-";
    QTest::newRow("slave of a slave follows it") << "1:0 2:1 3:1 4:2" << "1 2 4 3" << "-ggg";
    QTest::newRow("own master") << "1:1 2:0" << "1 2" << "g-";
    QTest::newRow("empty") << "" << "" << "";
}

void TestPlayerTable::defaultSetOrder()
{
    QFETCH(QString, terminals);
    std::vector<OvTerminal> records;
    for (const QString &entry : terminals.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        OvTerminal t;
        t.id = entry.section(QLatin1Char(':'), 0, 0).toInt();
        t.master_id = entry.section(QLatin1Char(':'), 1, 1).toInt();
        records.push_back(t);
    }
    QStringList rows;
    QString greyed;
    for (const defaultsetorder::Row &row : defaultsetorder::order(records)) {
        rows << QString::number(row.terminal->id);
        greyed += row.slave ? QLatin1Char('g') : QLatin1Char('-');
    }
    QTEST(rows.join(QLatin1Char(' ')), "rows");
    QTEST(greyed, "greyed");
}

QTEST_MAIN(TestPlayerTable)
#include "tst_playertable.moc"
