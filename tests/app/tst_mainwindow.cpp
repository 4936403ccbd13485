#include "AppTestSupport.h"
#include "ConsoleResources.h"
#include "InfoCenterMgr.h"
#include "ServerClock.h"
#include "TitleSetting.h"

#include "framework/FrameTitleBar.h"
#include "framework/WindowDragger.h"
#include "screens/ScreenRegistry.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStackedWidget>
#include <QtTest>

namespace {
// Stand-ins for the screens later work builds: plain pages with a name.
void registerPages(std::initializer_list<ScreenId> ids)
{
    ScreenRegistry &registry = ScreenRegistry::instance();
    registry.clear();
    for (ScreenId id : ids) {
        registry.registerScreen(id, [id](const ScreenContext &) {
            auto *page = new QWidget;
            page->setObjectName(QStringLiteral("page%1").arg(static_cast<int>(id)));
            return page;
        });
    }
}

bool isCurrent(const InfoCenterMgr &w, ScreenId id)
{
    QPushButton *b = w.screenButton(id);
    return w.currentButton() == b && !b->isEnabled() && b->font().weight() == 75
        && w.pageArea()->currentWidget() == w.screen(id);
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { initConsoleResources(); }

    void navigation()
    {
        registerPages({ScreenId::PlanTask, ScreenId::Player, ScreenId::Media, ScreenId::Region, ScreenId::UserLog});
        QTemporaryDir dir;
        InfoCenterMgr window(nullptr, 0, writeConfig(dir, ""));
        QCOMPARE(window.categoryList()->count(), 5);
        // Built with the window: the registered ones of the seven eager screens.
        QVERIFY(window.screen(ScreenId::Player) && window.screen(ScreenId::Media));
        QVERIFY(!window.screen(ScreenId::Region));
        QVERIFY(isCurrent(window, ScreenId::PlanTask));

        window.categoryList()->setCurrentRow(2);
        QCOMPARE(window.categoryPages()->currentIndex(), 2);
        QVERIFY(isCurrent(window, ScreenId::Media));
        QVERIFY(window.screenButton(ScreenId::PlanTask)->isEnabled());
        QCOMPARE(window.screenButton(ScreenId::PlanTask)->font().weight(), int(QFont::Normal));

        window.screenButton(ScreenId::Region)->click();
        QVERIFY(window.screen(ScreenId::Region));  // created on first use
        QVERIFY(isCurrent(window, ScreenId::Region));
        QVERIFY(window.screenButton(ScreenId::Media)->isEnabled());
        QWidget *region = window.screen(ScreenId::Region);
        window.screenButton(ScreenId::Media)->click();
        window.screenButton(ScreenId::Region)->click();
        QCOMPARE(window.screen(ScreenId::Region), region);  // kept, not rebuilt

        // A screen nobody built yet has no button to press.
        QVERIFY(!window.screenButton(ScreenId::Tts)->isEnabled());
        window.categoryList()->setCurrentRow(4);
        QCOMPARE(window.currentButton(), nullptr);
        QVERIFY(window.screenButton(ScreenId::Region)->isEnabled());
        QVERIFY(!window.screenButton(ScreenId::TalkRecord)->isEnabled());
        window.categoryList()->setCurrentRow(3);
        QVERIFY(isCurrent(window, ScreenId::UserLog));
    }

    void versionAndButtons()
    {
        registerPages({});
        QTemporaryDir dir;
        InfoCenterMgr window(nullptr, 0, writeConfig(dir, ""));
        QCOMPARE(InfoCenterMgr::versionText(), QStringLiteral("v3.8.1717"));
        auto *version = window.findChild<QLabel *>(QStringLiteral("versionLabel"));
        QVERIFY(version);
        QCOMPARE(version->text(), QStringLiteral("v3.8.1717"));
        for (auto b : {FrameTitleBar::Minimise, FrameTitleBar::Maximise, FrameTitleBar::Restore, FrameTitleBar::Close})
            QCOMPARE(window.titleBar()->button(b)->size(), QSize(23, 25));
    }

    void maximiseAndRestore()
    {
        registerPages({});
        QTemporaryDir dir;
        InfoCenterMgr window(nullptr, 0, writeConfig(dir, ""));
        window.show();
        QVERIFY(window.isMaximisedLayout());  // even with -max 0
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(window.geometry(), available);
        QVERIFY(window.titleBar()->button(FrameTitleBar::Maximise)->isHidden());
        QVERIFY(!window.titleBar()->button(FrameTitleBar::Restore)->isHidden());
        QVERIFY(window.savedGeometry().width() < available.width());

        QTest::mouseDClick(window.titleBar(), Qt::LeftButton);
        QVERIFY(!window.isMaximisedLayout());
        QCOMPARE(window.size(), window.savedGeometry().size());
        const QRect desktop = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(window.pos(), QPoint((desktop.width() - window.width()) / 2, (desktop.height() - window.height()) / 2));
        QVERIFY(window.titleBar()->button(FrameTitleBar::Restore)->isHidden());

        window.titleBar()->button(FrameTitleBar::Maximise)->click();
        QVERIFY(window.isMaximisedLayout());
        QCOMPARE(window.geometry(), available);
    }

    // The smallest screen the console is used on. Every page must leave the
    // window no wider or higher than it, and no button of the player page
    // may be squeezed below the width its caption needs.
    void fitsA1366x768ScreenWithThePlayerPage()
    {
        // With the console's own look: its paddings decide the widths.
        QFile css(QStringLiteral(":/files/talkback_center.css"));
        QVERIFY(css.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromLatin1(css.readAll()));
        ScreenRegistry::instance().clear();
        registerBuiltScreens(ScreenRegistry::instance());
        QTemporaryDir dir;
        InfoCenterMgr window(nullptr, 1, writeConfig(dir, ""));
        window.categoryList()->setCurrentRow(1);
        QWidget *player = window.screen(ScreenId::Player);
        QVERIFY(player);
        QCOMPARE(window.pageArea()->currentWidget(), player);
        const QSize screen(1366, 768);
        for (const bool maximised : {true, false}) {
            maximised ? window.maxWindow() : window.normalWindow();
            const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
            QVERIFY2(least.width() <= screen.width() && least.height() <= screen.height(),
                     qPrintable(QStringLiteral("%1x%2").arg(least.width()).arg(least.height())));
        }
        window.maxWindow();
        window.show();
        window.setGeometry(QRect(QPoint(0, 0), screen));
        QTRY_COMPARE(window.size(), screen);
        QTRY_COMPARE(player->size(), window.pageArea()->size());
        const QList<QPushButton *> buttons = player->findChildren<QPushButton *>();
        QVERIFY(buttons.size() >= 10);
        for (QPushButton *b : buttons) {
            QVERIFY2(b->isVisible(), qPrintable(b->objectName()));
            QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->objectName() + QStringLiteral(" clipped")));
            const QRect onPage(b->mapTo(player, QPoint(0, 0)), b->size());
            QVERIFY2(player->rect().contains(onPage), qPrintable(b->objectName() + QStringLiteral(" off the page")));
        }
        qApp->setStyleSheet(QString());
    }

    void dragTheWindow()
    {
        registerPages({});
        QTemporaryDir dir;
        InfoCenterMgr window(nullptr, 0, writeConfig(dir, ""));
        window.normalWindow();
        window.show();
        const QPoint start = window.pos();
        QWidget *status = window.findChild<QWidget *>(QStringLiteral("mainStatusBar"));
        const QPoint at = status->mapToGlobal(QPoint(5, 5));
        QMouseEvent press(QEvent::MouseButtonPress, status->mapFromGlobal(at), at, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(status, &press);
        QVERIFY(window.dragger()->isDragging());
        QMouseEvent move(QEvent::MouseMove, window.mapFromGlobal(at + QPoint(-40, 25)), at + QPoint(-40, 25),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &move);
        QCOMPARE(window.pos(), start + QPoint(-40, 25));
    }

    void titleFromConfigAndSaved()
    {
        registerPages({});
        QTemporaryDir dir;
        const QString config = writeConfig(dir, "[Setting]\nTitle=北区广播\nPasswd=secret\n");
        InfoCenterMgr window(nullptr, 0, config);
        QCOMPARE(window.windowTitle(), QStringLiteral("北区广播"));
        QCOMPARE(window.titleBar()->title(), QStringLiteral("北区广播"));

        window.slot_setTitleName(QStringLiteral("南区 广播"));
        QCOMPARE(window.windowTitle(), QStringLiteral("南区 广播"));
        QCOMPARE(titlesetting::read(config), QStringLiteral("南区 广播"));
        QFile file(config);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray raw = file.readAll();
        QVERIFY2(raw.contains(QStringLiteral("南区 广播").toUtf8()), raw.constData());  // UTF-8, not escaped twice
        QVERIFY(raw.contains("secret"));  // the other keys stay
        // Nothing but the file itself is left in the directory.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"config.ini"});
    }

    void titleDefaultWritesNothing()
    {
        registerPages({});
        QTemporaryDir dir;
        const QString config = writeConfig(dir, "[Setting]\nUser=admin\n");
        InfoCenterMgr window(nullptr, 0, config);
        QCOMPARE(window.windowTitle(), QStringLiteral("管理中心"));
        QCOMPARE(titlesetting::read(config), QString());
    }

    void clockFollowsServer()
    {
        QByteArray serverTime;
        ServerClock clock([&] { return serverTime; });
        clock.setLocalNow([] { return QDateTime::fromSecsSinceEpoch(86400 * 365); });
        clock.start();
        QCOMPARE(clock.dateText(), QStringLiteral("--------"));
        clock.tick();  // no answer yet: the computer's time
        QCOMPARE(clock.dateText(), QDateTime::fromSecsSinceEpoch(86400 * 365).toString("yyyy-MM-dd"));

        serverTime = "----";  // an answer without a time counts as 0
        clock.tick();
        QCOMPARE(clock.serverSeconds(), qint64(1));
        clock.tick();
        QCOMPARE(clock.serverSeconds(), qint64(2));
        QCOMPARE(clock.timeText(), QDateTime::fromSecsSinceEpoch(2).toString("hh:mm:ss"));

        serverTime = "1700000000";
        ServerClock server([&] { return serverTime; });
        server.start();
        QCOMPARE(server.serverSeconds(), qint64(1700000000));
        serverTime.clear();  // later readings no longer matter
        server.tick();
        server.tick();
        QCOMPARE(server.serverSeconds(), qint64(1700000002));
        QCOMPARE(server.dateText() + " " + server.timeText(),
                 QDateTime::fromSecsSinceEpoch(1700000002).toString("yyyy-MM-dd hh:mm:ss"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
