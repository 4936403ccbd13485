#include "ConsoleResources.h"
#include "framework/BaseMessageDialog.h"
#include "framework/BaseSetNameDialog.h"
#include "framework/ModalRunner.h"
#include "framework/MsgTips.h"
#include "framework/MsgTipsGroup.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {
// Records the modal dialogs shown and answers them as rejected.
struct ShownDialogs
{
    QStringList texts;
    modal::Hook previous;
    ShownDialogs()
    {
        previous = modal::setHook([this](QDialog &d) {
            if (auto *m = qobject_cast<BaseMessageDialog *>(&d))
                texts << m->title() + QStringLiteral("|") + m->text();
            return int(QDialog::Rejected);
        });
    }
    ~ShownDialogs() { modal::setHook(previous); }
};
} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { initConsoleResources(); }

    void messageLayout_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("gap");
        QTest::newRow("empty") << 0 << QStringLiteral("\r\n\r\n");
        QTest::newRow("21 characters") << 21 << QStringLiteral("\r\n\r\n");
        QTest::newRow("22 characters") << 22 << QStringLiteral("\r\n");
        QTest::newRow("long") << 80 << QStringLiteral("\r\n");
    }
    void messageLayout()
    {
        QFETCH(int, length);
        QFETCH(QString, gap);
        const QString text(length, QChar(0x6d88));  // counted in characters, not bytes
        QCOMPARE(BaseMessageDialog::layoutText(text), QStringLiteral("    ") + gap + QStringLiteral("    ") + text);
    }

    void messageButtons_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("1 confirm only") << 1 << true << false;
        QTest::newRow("2 cancel only") << 2 << false << true;
        QTest::newRow("4 none") << 4 << false << false;
        QTest::newRow("0 both") << 0 << true << true;
        QTest::newRow("3 both") << 3 << true << true;
    }
    void messageButtons()
    {
        QFETCH(int, type);
        QFETCH(bool, confirm);
        QFETCH(bool, cancel);
        BaseMessageDialog dialog(QStringLiteral("提示"), QStringLiteral("text"), type);
        QCOMPARE(!dialog.confirmButton()->isHidden(), confirm);
        QCOMPARE(!dialog.cancelButton()->isHidden(), cancel);
        QCOMPARE(dialog.title(), QStringLiteral("提示"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("信息"));
    }

    void confirmAccepts()
    {
        BaseMessageDialog dialog(QStringLiteral("提示"), QStringLiteral("text"), 0);
        QTimer::singleShot(0, dialog.confirmButton(), &QPushButton::click);
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        BaseMessageDialog other(QStringLiteral("提示"), QStringLiteral("text"), 0);
        QTimer::singleShot(0, other.cancelButton(), &QPushButton::click);
        QCOMPARE(other.exec(), int(QDialog::Rejected));
    }

    void selfClosingType()
    {
        BaseMessageDialog dialog(QStringLiteral("提示"), QStringLiteral("saved"), 4);
        // A guard in case the dialog never closes: the test fails instead of hanging.
        bool guardFired = false;
        QTimer::singleShot(10000, &dialog, [&] {
            guardFired = true;
            dialog.accept();
        });
        QElapsedTimer elapsed;
        elapsed.start();
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(!guardFired);
        QVERIFY2(elapsed.elapsed() >= 1300, qPrintable(QString::number(elapsed.elapsed())));
    }

    void setNameEmptyStaysOpen()
    {
        ShownDialogs shown;
        BaseSetNameDialog dialog;
        dialog.setName(QByteArray("大厅"));
        QCOMPARE(dialog.nameEdit()->text(), QStringLiteral("大厅"));
        QCOMPARE(dialog.nameEdit()->maxLength(), 32);
        dialog.show();
        dialog.nameEdit()->clear();
        dialog.confirmButton()->click();
        QCOMPARE(shown.texts, QStringList{QStringLiteral("Tips|Setting Error!")});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), 0);
        QCOMPARE(dialog.name(), QByteArray("大厅"));

        dialog.nameEdit()->setText(QStringLiteral("二楼"));
        dialog.confirmButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.name(), QStringLiteral("二楼").toUtf8());
    }

    void tipsGroupSlots_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("count");
        QTest::newRow("500 px") << 500 << 5;
        QTest::newRow("just one") << 80 + 65 + 70 << 1;
        QTest::newRow("too small") << 80 + 65 + 69 << 0;
    }
    void tipsGroupSlots()
    {
        QFETCH(int, height);
        QFETCH(int, count);
        QWidget page;
        page.resize(800, height);
        MsgTipsGroup group(&page, 250, 65, 25, 80, 65);
        QCOMPARE(group.count(), count);
        for (int i = 0; i < count; ++i)
            QCOMPARE(group.slotRect(i), QRect(800 - 25 - 250, height - 65 - i * 70 - 65, 250, 65));
    }

    void tipsGroupCompacts()
    {
        QWidget page;
        page.resize(800, 500);
        MsgTipsGroup group(&page, 250, 65, 25, 80, 65);
        QCOMPARE(group.count(), 5);
        MsgTips *first = group.tip(0);
        MsgTips *second = group.tip(1);
        MsgTips *third = group.tip(2);
        first->setTipText(QStringLiteral("a"));
        first->showTip(-1);
        second->setTipText(QStringLiteral("b"));
        second->showTip(50);
        third->setTipText(QStringLiteral("c"));
        third->showTip(-1);
        QCOMPARE(group.freeTip(), group.tip(3));
        QCOMPARE(group.findTip(QStringLiteral("c")), third);

        // The second times out: the two kept tips take slots 0 and 1.
        QTRY_VERIFY_WITH_TIMEOUT(!second->isShown(), 5000);
        QCOMPARE(second->tipText(), QString());
        QCOMPARE(group.tip(0), first);
        QCOMPARE(group.tip(1), third);
        QCOMPARE(third->geometry(), group.slotRect(1));
        QCOMPARE(first->geometry(), group.slotRect(0));
        QVERIFY(!group.tip(2)->isShown());
        QCOMPARE(group.freeTip(), group.tip(2));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
