#include "ConsoleStartup.h"

#include "ConsoleOptions.h"
#include "ConsoleResources.h"
#include "GuiLossPresenter.h"
#include "InfoCenterMgr.h"
#include "LoginDialog.h"

#include "config/CommandLine.h"
#include "config/StartupSettings.h"
#include "framework/AppFiles.h"
#include "view/CaptureHolder.h"
#include "protocol/OvManageCenter.h"
#include "protocol/OvNetLosssHandle.h"
#include "screens/ScreenRegistry.h"
#include "view/OvCreateViewCtrMgr.h"
#include "view/ViewRegistry.h"

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTextCodec>
#include <QTranslator>

#include <cstdio>

namespace {

QStringList copyArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void applyStyleSheet(QApplication &app)
{
    QFile css(QStringLiteral(":/files/talkback_center.css"));
    if (css.open(QIODevice::ReadOnly))
        app.setStyleSheet(QString::fromLatin1(css.readAll()));
}

void installTranslations(QApplication &app)
{
    // Kept for the whole run: the application holds only pointers.
    static QTranslator qtStandard;
    static QTranslator console;
    if (qtStandard.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtStandard);
    if (console.load(appfiles::locate(QStringLiteral("translate/zh.qm"))))
        app.installTranslator(&console);
}

} // namespace

int runConsole(int argc, char **argv)
{
    const QStringList arguments = copyArguments(argc, argv);
    commandline::setArguments(arguments);
    const ConsoleOptions options = ConsoleOptions::parse(arguments);
    if (options.help) {
        std::fputs(qPrintable(ConsoleOptions::helpText(arguments.value(0))), stdout);
        return 0;
    }

    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    initConsoleResources();
    const QString configPath = appfiles::locate(QStringLiteral("config.ini"));
    StartupSettings::instance() = StartupSettings::read(configPath);
    applyStyleSheet(app);
    installTranslations(app);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));

    return runSession(options, configPath);
}

int runSession(const ConsoleOptions &options, const QString &configPath)
{
    OvManageCenter centre;
    OvCreateViewCtrMgr::instance();
    // The one centre of the run: the view layer and the list managers of the
    // device families (deviceCentre) reach it from here; the capture holder
    // binds its callbacks to the capture manager.
    ViewRegistry &registry = ViewRegistry::create(&centre);
    CaptureHolder::instance().attachTo(registry);
    OvNetLosssHandle lossHandle(&centre);
    GuiLossPresenter presenter(lossHandle);
    registerBuiltScreens(ScreenRegistry::instance());

    int exitCode = 1;
    {
        LoginDialog login(centre, configPath, options.login);
        if (options.login.automatic()) {
            presenter.setQuiet(true);
            login.on_login_clicked();
            presenter.setQuiet(false);
        } else {
            login.exec();
        }
        if (login.succeeded()) {
            InfoCenterMgr window(&centre, options.maximise, configPath);
            window.show();
            exitCode = QApplication::exec();
        }
    }
    // The receive thread ends before the loss handler it may still call.
    centre.stopReceiveThread();
    return exitCode;
}
