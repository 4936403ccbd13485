#include "ConsoleResources.h"
#include "framework/BaseMessageDialog.h"
#include "framework/BaseSetNameDialog.h"
#include "framework/FrameTitleBar.h"
#include "framework/ModalRunner.h"
#include "framework/MsgTips.h"
#include "framework/MsgTipsGroup.h"
#include "framework/ShadowPainter.h"
#include "framework/Translucency.h"
#include "framework/WindowDragger.h"

#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {
void sendMouse(QWidget *to, QEvent::Type type, Qt::MouseButton button, const QPoint &global)
{
    const QPoint local = to->mapFromGlobal(global);
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, local, global, type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

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

    void shadowOnlyWhereWindowsAreSeeThrough_data()
    {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<bool>("compositor");
        QTest::addColumn<bool>("translucent");
        QTest::newRow("X11 without a compositing manager") << "xcb" << false << false;
        QTest::newRow("X11 with a compositing manager") << "xcb" << true << true;
        QTest::newRow("Wayland composes itself") << "wayland" << false << true;
        QTest::newRow("offscreen") << "offscreen" << false << true;
    }
    void shadowOnlyWhereWindowsAreSeeThrough()
    {
        QFETCH(QString, platform);
        QFETCH(bool, compositor);
        int probes = 0;
        const bool translucent = translucency::decide(platform, [&] {
            ++probes;
            return compositor;
        });
        QTEST(translucent, "translucent");
        QCOMPARE(probes, platform == QLatin1String("xcb") ? 1 : 0);
    }

    void plainBorderIsOnePixel()
    {
        const ShadowPainter plain(ShadowPainter::Style::Plain);
        QCOMPARE(plain.border(), 1);
        QImage image(40, 30, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            plain.paint(painter, image.size());
        }
        const QRgb line = QColor(0x8a, 0x9b, 0xb0).rgba();
        for (const QPoint &p : {QPoint(0, 0), QPoint(39, 29), QPoint(20, 0), QPoint(0, 15), QPoint(39, 15)})
            QCOMPARE(image.pixel(p), line);
        // Nothing see-through is left: inside the line it is white.
        for (const QPoint &p : {QPoint(1, 1), QPoint(38, 28), QPoint(20, 15), QPoint(5, 5)})
            QCOMPARE(image.pixel(p), QColor(Qt::white).rgba());
        QCOMPARE(ShadowPainter(ShadowPainter::Style::Shadow).border(), 6);
    }

    void framedDialogLeavesRoomForItsBorder()
    {
        BaseMessageDialog dialog(QStringLiteral("Tips"), QStringLiteral("x"), BaseMessageDialog::ConfirmOnly);
        const bool shadow = dialog.frameStyle() == ShadowPainter::Style::Shadow;
        QCOMPARE(shadow, translucency::available());
        QCOMPARE(dialog.testAttribute(Qt::WA_TranslucentBackground), shadow);
        const int b = dialog.frameBorder();
        QCOMPARE(dialog.layout()->contentsMargins(), QMargins(b, b, b, b));
    }

    void dragByAnyPartThatPassesTheMouseOn()
    {
        BaseMessageDialog dialog(QStringLiteral("Tips"), QStringLiteral("x"), BaseMessageDialog::ConfirmOnly);
        dialog.move(100, 100);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QPoint start = dialog.pos();
        // The title label passes the press on to the dialog.
        QLabel *title = dialog.titleBar()->titleLabel();
        const QPoint at = title->mapToGlobal(QPoint(2, 2));
        sendMouse(title, QEvent::MouseButtonPress, Qt::LeftButton, at);
        QVERIFY(dialog.dragger()->isDragging());
        sendMouse(&dialog, QEvent::MouseMove, Qt::LeftButton, at + QPoint(30, 20));
        QCOMPARE(dialog.pos(), start + QPoint(30, 20));
        sendMouse(&dialog, QEvent::MouseButtonRelease, Qt::LeftButton, at + QPoint(30, 20));
        QVERIFY(!dialog.dragger()->isDragging());
        sendMouse(&dialog, QEvent::MouseMove, Qt::NoButton, at + QPoint(90, 90));
        QCOMPARE(dialog.pos(), start + QPoint(30, 20));
        // Only the left button drags.
        sendMouse(title, QEvent::MouseButtonPress, Qt::RightButton, at);
        QVERIFY(!dialog.dragger()->isDragging());
        sendMouse(&dialog, QEvent::MouseMove, Qt::RightButton, at + QPoint(-50, 0));
        QCOMPARE(dialog.pos(), start + QPoint(30, 20));
    }

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
