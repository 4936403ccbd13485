#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The title bar of our frameless windows: icon, title and the 23 x 25
// buttons the window asks for. The look comes from the application style
// sheet (object names "frameTitleBar", "titleMinButton", "titleMaxButton",
// "titleRestoreButton", "titleCloseButton").
class FrameTitleBar : public QWidget
{
    Q_OBJECT
public:
    enum Button { Minimise = 1, Maximise = 2, Restore = 4, Close = 8 };
    static constexpr int kButtonWidth = 23;
    static constexpr int kButtonHeight = 25;

    FrameTitleBar(const QString &iconPath, const QString &title, int buttons, QWidget *parent = nullptr);

    void setTitle(const QString &title);
    QString title() const;
    QLabel *titleLabel() const { return m_title; }
    // nullptr for a button the bar was not built with.
    QPushButton *button(Button which) const;

private:
    QPushButton *makeButton(const char *objectName, const char *image, const QString &toolTip);

    QLabel *m_title;
    QPushButton *m_min = nullptr;
    QPushButton *m_max = nullptr;
    QPushButton *m_restore = nullptr;
    QPushButton *m_close = nullptr;
};
