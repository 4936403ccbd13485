#include "AppTestSupport.h"
#include "ConsoleResources.h"
#include "InfoCenterMgr.h"
#include "SimProcess.h"
#include "TitleSetting.h"

#include "framework/FrameTitleBar.h"
#include "managers/serverconfig/OvServerConfigMgr.h"
#include "protocol/OvManageCenter.h"
#include "screens/ScreenRegistry.h"
#include "screens/settings/OvSystemSettingForm.h"
#include "view/ViewRegistry.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The console's title between the server, the system-setting page, the
// main window and "config.ini".
class TestSettingsTitle : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { initConsoleResources(); }
    void serverTitleAtOnceAndSavedTitleEverywhere();
};

void TestSettingsTitle::serverTitleAtOnceAndSavedTitleEverywhere()
{
    SimProcess sim;
    QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
    QCOMPARE(sim.command("sql update parameter set value = '东区 广播' where name = 'System_Name'"), QString("ok 1"));
    OvManageCenter centre;
    ViewRegistry::create(&centre);
    centre.setServerAddress(QStringLiteral("127.0.0.1"), sim.dbpPort());
    centre.setCredentials("admin", "admin");
    centre.startReceiveThread();
    QTRY_VERIFY_WITH_TIMEOUT(centre.state() == ConnectionState::LoggedIn, 15000);
    OvServerConfigMgr mgr(&centre);

    QTemporaryDir dir;
    const QString config = writeConfig(dir, "[Setting]\nTitle=旧名称\nUser=admin\n");
    ScreenRegistry &registry = ScreenRegistry::instance();
    registry.clear();
    registry.registerScreen(ScreenId::SystemSetting, [&](const ScreenContext &) {
        OvSystemSettingForm::Environment env;
        env.configPath = config;
        env.setRecordEndpoint = [](const QString &, quint16) {};
        return new OvSystemSettingForm(mgr, env);
    });
    {
        ShownMessages messages;
        InfoCenterMgr window(&centre, 0, config);
        QTRY_COMPARE(window.windowTitle(), QStringLiteral("东区 广播"));
        QCOMPARE(window.titleBar()->title(), QStringLiteral("东区 广播"));
        QTRY_COMPARE(titlesetting::read(config), QStringLiteral("东区 广播"));

        auto *page = qobject_cast<OvSystemSettingForm *>(window.screen(ScreenId::SystemSetting));
        QVERIFY(page);
        QGroupBox *group = nullptr;
        for (QGroupBox *g : page->findChildren<QGroupBox *>()) {
            if (g->title() == QStringLiteral("修改名称"))
                group = g;
        }
        QVERIFY(group);
        group->setChecked(true);
        group->findChild<QLineEdit *>()->setText(QStringLiteral("西区广播站"));
        group->findChild<QPushButton *>()->click();
        // At once, without waiting for anything else.
        QCOMPARE(window.windowTitle(), QStringLiteral("西区广播站"));
        QCOMPARE(window.titleBar()->title(), QStringLiteral("西区广播站"));
        QCOMPARE(titlesetting::read(config), QStringLiteral("西区广播站"));
        QVERIFY(messages.texts.isEmpty());
        QFile raw(config);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        const QByteArray text = raw.readAll();
        QVERIFY(text.contains(QStringLiteral("西区广播站").toUtf8()));
        QVERIFY(text.contains("User=admin"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"config.ini"});
    }
    centre.stopReceiveThread();
    registry.clear();
    ViewRegistry::create(nullptr);
}

QTEST_MAIN(TestSettingsTitle)
#include "tst_settings_title.moc"
