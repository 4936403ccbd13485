#pragma once

#include "framework/ShadowWidget.h"
#include "framework/WindowDragger.h"
#include "screens/ScreenId.h"

#include <QRect>
#include <QWidget>

#include <array>

class FrameTitleBar;
class OvManageCenter;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;
class ServerClock;

// The console's main window: title bar, five categories, the screen buttons
// of each category, the page area with one screen at a time, the clock and
// the version. Screens are created on first use and kept.
class InfoCenterMgr : public ShadowWidget<QWidget>
{
    Q_OBJECT
public:
    static QString versionText();

    InfoCenterMgr(OvManageCenter *centre, int maximise, const QString &configPath, QWidget *parent = nullptr);

    QPushButton *screenButton(ScreenId id) const;
    QWidget *screen(ScreenId id) const;
    QPushButton *currentButton() const { return m_currentButton; }
    QListWidget *categoryList() const { return m_categories; }
    QStackedWidget *categoryPages() const { return m_categoryPages; }
    QStackedWidget *pageArea() const { return m_pages; }
    FrameTitleBar *titleBar() const { return m_titleBar; }
    ServerClock *clock() const { return m_clock; }
    bool isMaximisedLayout() const { return m_maximised; }
    QRect savedGeometry() const { return m_savedGeometry; }

public slots:
    void normalWindow();
    void maxWindow();
    void showTopTermMgr() {}
    void showTopTaskMgr() {}
    void showTopSettingMgr() {}
    void showPlayerInfoForm();
    void showMicInfoForm();
    void showTtsInfoForm();
    void showCaptureInfoForm();
    void showM26InfoForm();
    void showM48InfoForm();
    void showM37InfoForm();
    void showFAlarmInfoForm();
    void showMediaInfoForm();
    void showMicGroupInfoForm();
    void showRegionInfoForm();
    void showSystemSetForm();
    void showSsTaskInfoForm();
    void showManualTaskInfoForm();
    void showTimerTaskInfoForm();
    void showSdkTaskInfoForm();
    void showUserLogInfoForm();
    void showTalkLogInfoForm();
    void showTermLogInfoForm();
    void showTalkRecordInfoForm();
    void changePage(QListWidgetItem *current, QListWidgetItem *previous);
    void slot_scrollCaption() {}
    void slot_setTitleName(const QString &title);

    WindowDragger *dragger() const { return m_dragger; }

private:
    QWidget *buildCategoryBar();
    QWidget *buildCategoryPage(int category);
    void connectScreenButtons();
    QWidget *ensureScreen(ScreenId id);
    void showScreen(ScreenId id);
    void applyTitle(const QString &title);
    void applyInitialTitle();

    OvManageCenter *m_centre;
    QString m_configPath;
    bool m_maximised = false;
    QRect m_savedGeometry;
    QVBoxLayout *m_outer = nullptr;
    FrameTitleBar *m_titleBar = nullptr;
    QListWidget *m_categories = nullptr;
    QStackedWidget *m_categoryPages = nullptr;
    QStackedWidget *m_pages = nullptr;
    QWidget *m_emptyPage = nullptr;
    QLabel *m_dateLabel = nullptr;
    QLabel *m_timeLabel = nullptr;
    ServerClock *m_clock = nullptr;
    QPushButton *m_currentButton = nullptr;
    std::array<QPushButton *, kScreenCount> m_buttons{};
    std::array<QWidget *, kScreenCount> m_screens{};
    WindowDragger *m_dragger;
};
