#pragma once

#include <QPoint>

class QMouseEvent;
class QWidget;

// Lets the operator drag a frameless window: the window forwards its mouse
// press, move and release events.
class WindowDragger
{
public:
    explicit WindowDragger(QWidget *window) : m_window(window) {}

    void mousePress(const QMouseEvent *event);
    void mouseMove(const QMouseEvent *event);
    void mouseRelease(const QMouseEvent *event);
    bool isDragging() const { return m_dragging; }

private:
    QPoint m_pressPos;
    QWidget *m_window;
    bool m_dragging = false;
};
