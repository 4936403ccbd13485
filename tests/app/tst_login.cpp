#include "AppTestSupport.h"
#include "ConsoleOptions.h"
#include "ConsoleResources.h"
#include "ConsoleStartup.h"
#include "InfoCenterMgr.h"
#include "LoginDialog.h"
#include "SimProcess.h"

#include "protocol/OvManageCenter.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestLogin : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { initConsoleResources(); }

    void inputRules_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("server 10.0.0.1") << "server" << "10.0.0.1" << "10.0.0.1";
        QTest::newRow("server .255 refused") << "server" << "192.168.1.255" << "192.168.1.25";
        QTest::newRow("server .254") << "server" << "192.168.1.254" << "192.168.1.254";
        QTest::newRow("server letters") << "server" << "10.a" << "10.";
        QTest::newRow("password blank") << "password" << "ab c" << "abc";
        QTest::newRow("password punctuation") << "password" << "ab!c" << "abc";
        QTest::newRow("password 21 characters") << "password" << QString(21, 'x') << QString(20, 'x');
        QTest::newRow("port digits only") << "port" << "89a9" << "899";
    }
    void inputRules()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QTemporaryDir dir;
        OvManageCenter centre;
        LoginDialog dialog(centre, writeConfig(dir, ""), {});
        QLineEdit *edit = field == "server" ? dialog.serverEdit()
                        : field == "password" ? dialog.passwordEdit() : dialog.portEdit();
        edit->clear();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), kept);
    }

    void fieldsFromConfigAndCommandLine()
    {
        QTemporaryDir dir;
        OvManageCenter centre;
        LoginOptions options;
        options.user = QStringLiteral("operator");
        options.password = QStringLiteral("123456");
        LoginDialog dialog(centre, writeConfig(dir, settingsFor(8999, "Title=北区广播\n")), options);
        QCOMPARE(dialog.portEdit()->text(), QStringLiteral("8999"));
        QVERIFY(dialog.portEdit()->isHidden());
        QCOMPARE(dialog.serverEdit()->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(dialog.userEdit()->text(), QStringLiteral("operator"));
        QCOMPARE(dialog.passwordEdit()->text(), QStringLiteral("123456"));
        QCOMPARE(dialog.passwordEdit()->echoMode(), QLineEdit::Password);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("北区广播"));
    }

    void emptyFieldSendsNothing()
    {
        SimProcess sim;
        QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
        QTemporaryDir dir;
        OvManageCenter centre;
        ShownMessages shown;
        LoginDialog dialog(centre, writeConfig(dir, settingsFor(sim.dbpPort())), {});
        QVERIFY(dialog.passwordEdit()->text().isEmpty());
        dialog.on_login_clicked();
        QCOMPARE(shown.texts, QStringList{QStringLiteral("提示|用户名或者密码不能为空，请重新输入!")});
        QCOMPARE(centre.state(), ConnectionState::NotStarted);
        QVERIFY(sim.receivedLog().isEmpty());
    }

    void acceptedAndRefused_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("admin") << "admin" << "admin" << true;
        QTest::newRow("chinese user name") << "值班员" << "888888" << true;
        QTest::newRow("wrong password") << "admin" << "wrong1" << false;
        QTest::newRow("unknown user") << "nobody" << "admin" << false;
    }
    void acceptedAndRefused()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        SimProcess sim;
        QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
        QTemporaryDir dir;
        OvManageCenter centre;
        ShownMessages shown;
        LoginOptions options;
        options.user = user;
        options.password = password;
        LoginDialog dialog(centre, writeConfig(dir, settingsFor(sim.dbpPort())), options);
        dialog.show();
        dialog.on_login_clicked();
        QCOMPARE(dialog.succeeded(), accepted);
        QCOMPARE(dialog.result(), accepted ? int(QDialog::Accepted) : 0);
        if (accepted) {
            QVERIFY(shown.texts.isEmpty());
            QCOMPARE(centre.state(), ConnectionState::LoggedIn);
        } else {
            QCOMPARE(shown.texts, QStringList{QStringLiteral("提示|用户名或者密码错误，请重新输入!")});
            QVERIFY(dialog.isVisible());
            QVERIFY(dialog.connectButton()->isEnabled());
        }
        centre.stopReceiveThread();
    }

    void retryAfterRefusal()
    {
        SimProcess sim;
        QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
        QTemporaryDir dir;
        OvManageCenter centre;
        ShownMessages shown;
        LoginOptions options;
        options.password = QStringLiteral("wrong1");
        LoginDialog dialog(centre, writeConfig(dir, settingsFor(sim.dbpPort())), options);
        dialog.on_login_clicked();
        QVERIFY(!dialog.succeeded());
        dialog.passwordEdit()->setText(QStringLiteral("admin"));
        dialog.on_login_clicked();
        QVERIFY(dialog.succeeded());
        QCOMPARE(shown.texts.size(), 1);
        centre.stopReceiveThread();
    }

    void staysResponsiveAndIgnoresSecondClick()
    {
        SimProcess sim({"--fault", "delay 1500"});
        QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
        QTemporaryDir dir;
        OvManageCenter centre;
        LoginOptions options;
        options.password = QStringLiteral("admin");
        LoginDialog dialog(centre, writeConfig(dir, settingsFor(sim.dbpPort())), options);
        dialog.show();
        bool sawConnecting = false;
        // Runs while the first attempt waits: events are being processed.
        QTimer::singleShot(400, &dialog, [&] {
            sawConnecting = dialog.isConnecting() && !dialog.connectButton()->isEnabled();
            dialog.on_login_clicked();
            QTest::keyClick(&dialog, Qt::Key_Return);
        });
        dialog.on_login_clicked();
        QVERIFY(sawConnecting);
        QVERIFY(dialog.succeeded());
        QCOMPARE(sim.receivedLog().count("TalkManagerLogin"), 1);
        centre.stopReceiveThread();
    }

    void escapeDoesNotClose()
    {
        QTemporaryDir dir;
        OvManageCenter centre;
        LoginDialog dialog(centre, writeConfig(dir, ""), {});
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
    }

    void unreachableServerFails()
    {
        QTemporaryDir dir;
        OvManageCenter centre;
        ShownMessages shown;
        LoginOptions options;
        options.password = QStringLiteral("admin");
        LoginDialog dialog(centre, writeConfig(dir, settingsFor(closedPort())), options);
        dialog.on_login_clicked();
        QVERIFY(!dialog.succeeded());
        QCOMPARE(centre.state(), ConnectionState::Closed);
        QVERIFY(shown.texts.isEmpty());  // the loss handler reports it, not the dialog
    }

    void automaticSession_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("accepted") << "admin" << 0 << QStringList{};
        QTest::newRow("refused") << "wrong1" << 1
                                 << QStringList{QStringLiteral("提示|用户名或者密码错误，请重新输入!")};
    }
    void automaticSession()
    {
        QFETCH(QString, password);
        QFETCH(int, exitCode);
        QFETCH(QStringList, messages);
        SimProcess sim;
        QVERIFY2(sim.isRunning(), qPrintable(sim.errorString()));
        QTemporaryDir dir;
        ShownMessages shown;
        const QString config = writeConfig(dir, settingsFor(sim.dbpPort()));
        const ConsoleOptions options = ConsoleOptions::parse(
            {"console", "-serverip", "127.0.0.1", "-user", "admin", "-password", password});
        QVERIFY(options.login.automatic());
        // Once the main window is up, the operator closes it.
        bool sawWindow = false;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *main = qobject_cast<InfoCenterMgr *>(w); main && main->isVisible()) {
                    sawWindow = true;
                    main->close();
                }
            }
        });
        closer.start(50);
        QCOMPARE(runSession(options, config), exitCode);
        QCOMPARE(sawWindow, exitCode == 0);
        QCOMPARE(shown.texts, messages);
        if (exitCode == 0)
            QVERIFY(sim.receivedLog().contains("GetSystemTime"));
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
