#include "InfoCenterMgr.h"

#include "OvTitleDClicked.h"
#include "ScreenCatalog.h"
#include "ServerClock.h"
#include "TitleSetting.h"

#include "framework/FrameTitleBar.h"
#include "protocol/OvManageCenter.h"
#include "screens/ScreenRegistry.h"

#include <QApplication>
#include <QDesktopWidget>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
size_t slotOf(ScreenId id)
{
    return static_cast<size_t>(id);
}

// Built when the window is: the others wait until they are first opened.
constexpr ScreenId kEagerScreens[] = {ScreenId::PlanTask, ScreenId::Player,   ScreenId::Mic,
                                      ScreenId::M37,      ScreenId::Media,    ScreenId::MicGroup,
                                      ScreenId::SystemSetting};
} // namespace

QString InfoCenterMgr::versionText()
{
    return QStringLiteral("v") + QString::number(3) + QStringLiteral(".") + QString::number(8)
        + QStringLiteral(".") + QString::number(1717);
}

InfoCenterMgr::InfoCenterMgr(OvManageCenter *centre, int maximise, const QString &configPath, QWidget *parent)
    : ShadowWidget<QWidget>(parent), m_centre(centre), m_configPath(configPath), m_dragger(new WindowDragger(this))
{
    setObjectName(QStringLiteral("infoCenterMgr"));
    setMouseTracking(true);
    setWindowIcon(QIcon(QStringLiteral(":/images/info32x32.png")));
    setWindowTitle(titlesetting::kDefaultTitle);

    m_outer = new QVBoxLayout(this);
    const int border = frameBorder();
    m_outer->setContentsMargins(border, border, border, border);
    m_outer->setSpacing(0);
    m_titleBar = new FrameTitleBar(QStringLiteral(":/images/info32x32.png"), titlesetting::kDefaultTitle,
                                   FrameTitleBar::Minimise | FrameTitleBar::Maximise | FrameTitleBar::Restore
                                       | FrameTitleBar::Close,
                                   this);
    m_outer->addWidget(m_titleBar);
    m_outer->addWidget(buildCategoryBar());

    auto *middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    m_categoryPages = new QStackedWidget(this);
    m_categoryPages->setObjectName(QStringLiteral("categoryPages"));
    m_categoryPages->setFixedWidth(180);
    for (int c = 0; c < static_cast<int>(catalog::kCategories.size()); ++c)
        m_categoryPages->addWidget(buildCategoryPage(c));
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("pageArea"));
    m_emptyPage = new QWidget(m_pages);
    m_emptyPage->setObjectName(QStringLiteral("emptyPage"));
    m_pages->addWidget(m_emptyPage);
    middle->addWidget(m_categoryPages);
    middle->addWidget(m_pages, 1);
    m_outer->addLayout(middle, 1);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("mainStatusBar"));
    status->setSizeGripEnabled(false);
    auto *version = new QLabel(versionText(), status);
    version->setObjectName(QStringLiteral("versionLabel"));
    status->addPermanentWidget(version);
    m_outer->addWidget(status);

    m_titleBar->button(FrameTitleBar::Restore)->hide();
    connectScreenButtons();
    connect(m_titleBar->button(FrameTitleBar::Close), &QPushButton::clicked, this, &QWidget::close);
    connect(m_titleBar->button(FrameTitleBar::Maximise), &QPushButton::clicked, this, &InfoCenterMgr::maxWindow);
    connect(m_titleBar->button(FrameTitleBar::Restore), &QPushButton::clicked, this,
            &InfoCenterMgr::normalWindow);
    connect(m_titleBar->button(FrameTitleBar::Minimise), &QPushButton::clicked, this, &QWidget::showMinimized);

    for (ScreenId id : kEagerScreens)
        ensureScreen(id);
    applyInitialTitle();

    connect(m_categories, &QListWidget::currentItemChanged, this, &InfoCenterMgr::changePage);
    m_categories->setCurrentRow(0);

    // The normal layout's size: what "restore" returns to.
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    resize(QSize(qMin(1280, available.width() * 9 / 10), qMin(800, available.height() * 9 / 10))
               .expandedTo(minimumSizeHint()));
    move(available.center() - rect().center());
    m_savedGeometry = geometry();
    maxWindow();

    m_titleBar->installEventFilter(new OvTitleDClicked(
        [this] { m_maximised ? normalWindow() : maxWindow(); }, this));

    m_clock = new ServerClock([this] { return m_centre ? m_centre->systemTime() : QByteArray(); }, this);
    connect(m_clock, &ServerClock::displayChanged, this, [this](const QString &date, const QString &time) {
        m_dateLabel->setText(date);
        m_timeLabel->setText(time);
    });
    centreGetSystemTime(m_centre);
    m_clock->start();

    if (maximise != 0)
        maxWindow();
}

QWidget *InfoCenterMgr::buildCategoryBar()
{
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("categoryBar"));
    bar->setAttribute(Qt::WA_StyledBackground);
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(12, 0, 16, 0);
    m_categories = new QListWidget(bar);
    m_categories->setObjectName(QStringLiteral("categoryList"));
    m_categories->setViewMode(QListView::IconMode);
    m_categories->setIconSize(QSize(32, 32));
    m_categories->setMovement(QListView::Static);
    m_categories->setFlow(QListView::LeftToRight);
    m_categories->setWrapping(false);
    m_categories->setSpacing(6);
    m_categories->setMinimumWidth(350);
    m_categories->setMaximumWidth(1000);
    m_categories->setFixedHeight(80);
    m_categories->setGridSize(QSize(120, 66));
    m_categories->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_categories->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_categories->setFrameShape(QFrame::NoFrame);
    m_categories->setFocusPolicy(Qt::NoFocus);
    for (const catalog::Category &c : catalog::kCategories) {
        auto *item = new QListWidgetItem(QIcon(QString::fromLatin1(c.icon)), tr(c.text), m_categories);
        item->setTextAlignment(Qt::AlignHCenter);
        item->setForeground(Qt::white);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }
    layout->addWidget(m_categories, 1);

    auto *clockBox = new QVBoxLayout;
    clockBox->setSpacing(2);
    m_dateLabel = new QLabel(QStringLiteral("--------"), bar);
    m_timeLabel = new QLabel(QStringLiteral("--------"), bar);
    m_dateLabel->setObjectName(QStringLiteral("clockDate"));
    m_timeLabel->setObjectName(QStringLiteral("clockTime"));
    m_dateLabel->setAlignment(Qt::AlignRight);
    m_timeLabel->setAlignment(Qt::AlignRight);
    clockBox->addStretch(1);
    clockBox->addWidget(m_timeLabel);
    clockBox->addWidget(m_dateLabel);
    clockBox->addStretch(1);
    layout->addLayout(clockBox);
    return bar;
}

QWidget *InfoCenterMgr::buildCategoryPage(int category)
{
    const catalog::Category &c = catalog::kCategories[static_cast<size_t>(category)];
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("categoryPage"));
    page->setAttribute(Qt::WA_StyledBackground);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(10, 12, 10, 12);
    layout->setSpacing(6);
    auto *title = new QLabel(c.pageTitleTranslated ? tr(c.pageTitle) : QString::fromUtf8(c.pageTitle), page);
    title->setObjectName(QStringLiteral("categoryPageTitle"));
    layout->addWidget(title);
    for (const catalog::ScreenButton &b : catalog::kButtons) {
        if (b.category != category)
            continue;
        auto *button = new QPushButton(QIcon(QString::fromLatin1(b.icon)),
                                       b.captionTranslated ? tr(b.caption) : QString::fromUtf8(b.caption), page);
        button->setObjectName(QString::fromLatin1(b.objectName));
        button->setProperty("screenButton", true);
        button->setIconSize(QSize(24, 24));
        button->setMinimumHeight(40);
        // A screen that is not built yet has no page to show.
        button->setEnabled(ScreenRegistry::instance().hasScreen(b.id));
        m_buttons[slotOf(b.id)] = button;
        layout->addWidget(button);
    }
    layout->addStretch(1);
    return page;
}

void InfoCenterMgr::connectScreenButtons()
{
    using Slot = void (InfoCenterMgr::*)();
    const std::pair<ScreenId, Slot> table[] = {
        {ScreenId::Player, &InfoCenterMgr::showPlayerInfoForm},
        {ScreenId::Mic, &InfoCenterMgr::showMicInfoForm},
        {ScreenId::Tts, &InfoCenterMgr::showTtsInfoForm},
        {ScreenId::Capture, &InfoCenterMgr::showCaptureInfoForm},
        {ScreenId::M26, &InfoCenterMgr::showM26InfoForm},
        {ScreenId::M48, &InfoCenterMgr::showM48InfoForm},
        {ScreenId::M37, &InfoCenterMgr::showM37InfoForm},
        {ScreenId::FAlarm, &InfoCenterMgr::showFAlarmInfoForm},
        {ScreenId::Media, &InfoCenterMgr::showMediaInfoForm},
        {ScreenId::MicGroup, &InfoCenterMgr::showMicGroupInfoForm},
        {ScreenId::Region, &InfoCenterMgr::showRegionInfoForm},
        {ScreenId::SystemSetting, &InfoCenterMgr::showSystemSetForm},
        {ScreenId::PlanTask, &InfoCenterMgr::showSsTaskInfoForm},
        {ScreenId::ManualTask, &InfoCenterMgr::showManualTaskInfoForm},
        {ScreenId::TimerTask, &InfoCenterMgr::showTimerTaskInfoForm},
        {ScreenId::SdkTask, &InfoCenterMgr::showSdkTaskInfoForm},
        {ScreenId::UserLog, &InfoCenterMgr::showUserLogInfoForm},
        {ScreenId::TalkLog, &InfoCenterMgr::showTalkLogInfoForm},
        {ScreenId::TermLog, &InfoCenterMgr::showTermLogInfoForm},
        {ScreenId::TalkRecord, &InfoCenterMgr::showTalkRecordInfoForm},
    };
    for (const auto &entry : table)
        connect(m_buttons[slotOf(entry.first)], &QPushButton::clicked, this, entry.second);
}

QPushButton *InfoCenterMgr::screenButton(ScreenId id) const
{
    return m_buttons[slotOf(id)];
}

QWidget *InfoCenterMgr::screen(ScreenId id) const
{
    return m_screens[slotOf(id)];
}

QWidget *InfoCenterMgr::ensureScreen(ScreenId id)
{
    QWidget *&screen = m_screens[slotOf(id)];
    if (screen)
        return screen;
    ScreenContext context;
    context.mainWindow = this;
    screen = ScreenRegistry::instance().create(id, context);
    if (!screen)
        return nullptr;
    m_pages->addWidget(screen);
    if (id == ScreenId::SystemSetting
        && screen->metaObject()->indexOfSignal("sendTitleString(QString)") >= 0) {
        connect(screen, SIGNAL(sendTitleString(QString)), this, SLOT(slot_setTitleName(QString)));
    }
    return screen;
}

void InfoCenterMgr::showScreen(ScreenId id)
{
    QWidget *screen = ensureScreen(id);
    QPushButton *button = m_buttons[slotOf(id)];
    if (m_currentButton && m_currentButton != button) {
        QFont font = m_currentButton->font();
        font.setWeight(QFont::Normal);
        m_currentButton->setFont(font);
        m_currentButton->setEnabled(true);
    }
    if (!screen) {
        // Nothing to show yet: the category opens onto an empty page.
        m_currentButton = nullptr;
        m_pages->setCurrentWidget(m_emptyPage);
        return;
    }
    QFont font = button->font();
    font.setWeight(75);
    button->setFont(font);
    button->setEnabled(false);
    m_currentButton = button;
    m_pages->setCurrentWidget(screen);
}

void InfoCenterMgr::showPlayerInfoForm() { showScreen(ScreenId::Player); }
void InfoCenterMgr::showMicInfoForm() { showScreen(ScreenId::Mic); }
void InfoCenterMgr::showTtsInfoForm() { showScreen(ScreenId::Tts); }
void InfoCenterMgr::showCaptureInfoForm() { showScreen(ScreenId::Capture); }
void InfoCenterMgr::showM26InfoForm() { showScreen(ScreenId::M26); }
void InfoCenterMgr::showM48InfoForm() { showScreen(ScreenId::M48); }
void InfoCenterMgr::showM37InfoForm() { showScreen(ScreenId::M37); }
void InfoCenterMgr::showFAlarmInfoForm() { showScreen(ScreenId::FAlarm); }
void InfoCenterMgr::showMediaInfoForm() { showScreen(ScreenId::Media); }
void InfoCenterMgr::showMicGroupInfoForm() { showScreen(ScreenId::MicGroup); }
void InfoCenterMgr::showRegionInfoForm() { showScreen(ScreenId::Region); }
void InfoCenterMgr::showSystemSetForm() { showScreen(ScreenId::SystemSetting); }
void InfoCenterMgr::showSsTaskInfoForm() { showScreen(ScreenId::PlanTask); }
void InfoCenterMgr::showManualTaskInfoForm() { showScreen(ScreenId::ManualTask); }
void InfoCenterMgr::showTimerTaskInfoForm() { showScreen(ScreenId::TimerTask); }
void InfoCenterMgr::showSdkTaskInfoForm() { showScreen(ScreenId::SdkTask); }
void InfoCenterMgr::showUserLogInfoForm() { showScreen(ScreenId::UserLog); }
void InfoCenterMgr::showTalkLogInfoForm() { showScreen(ScreenId::TalkLog); }
void InfoCenterMgr::showTermLogInfoForm() { showScreen(ScreenId::TermLog); }
void InfoCenterMgr::showTalkRecordInfoForm() { showScreen(ScreenId::TalkRecord); }

void InfoCenterMgr::changePage(QListWidgetItem *current, QListWidgetItem *previous)
{
    QListWidgetItem *item = current ? current : previous;
    if (!item)
        return;
    const int row = m_categories->row(item);
    if (row < 0 || row >= static_cast<int>(catalog::kCategories.size()))
        return;
    m_categoryPages->setCurrentIndex(row);
    showScreen(catalog::kCategories[static_cast<size_t>(row)].opens);
}

void InfoCenterMgr::maxWindow()
{
    if (m_maximised)
        return;
    m_maximised = true;
    m_outer->setContentsMargins(0, 0, 0, 0);
    m_titleBar->button(FrameTitleBar::Maximise)->hide();
    m_titleBar->button(FrameTitleBar::Restore)->show();
    setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    setCursor(Qt::ArrowCursor);
}

void InfoCenterMgr::normalWindow()
{
    if (!m_maximised)
        return;
    m_maximised = false;
    const int b = frameBorder();
    m_outer->setContentsMargins(b, b, b, b);
    setGeometry(m_savedGeometry);
    m_titleBar->button(FrameTitleBar::Maximise)->show();
    m_titleBar->button(FrameTitleBar::Restore)->hide();
    const QRect desktop = QGuiApplication::primaryScreen()->geometry();
    move((desktop.width() - width()) / 2, (desktop.height() - height()) / 2);
}

void InfoCenterMgr::applyTitle(const QString &title)
{
    setWindowTitle(title);
    m_titleBar->setTitle(title);
}

void InfoCenterMgr::applyInitialTitle()
{
    // The system-setting screen holds the server's title once it has one;
    // until then the title last stored here is shown, and nothing is written.
    QString title;
    if (QWidget *system = m_screens[slotOf(ScreenId::SystemSetting)])
        title = system->property("titleName").toString();
    // The page may have had the server's title while it was being built,
    // before its signal was connected: that title is stored as well.
    if (!title.isEmpty() && title != titlesetting::kDefaultTitle) {
        slot_setTitleName(title);
        return;
    }
    const QString stored = titlesetting::read(m_configPath);
    applyTitle(stored.isEmpty() ? titlesetting::kDefaultTitle : stored);
}

void InfoCenterMgr::slot_setTitleName(const QString &title)
{
    applyTitle(title);
    if (titlesetting::read(m_configPath) != title)
        titlesetting::write(m_configPath, title);
}
