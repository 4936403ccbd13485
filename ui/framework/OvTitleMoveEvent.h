#pragma once

#include <QObject>
#include <QPoint>

// Event filter on a dialog header: dragging the header moves the dialog.
// Events pass on unchanged.
class OvTitleMoveEvent : public QObject
{
    Q_OBJECT
public:
    explicit OvTitleMoveEvent(QWidget *window, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QPoint m_cursorAtPress;
    QPoint m_windowAtPress;
    bool m_dragging = false;
};
