#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

// Lets the operator drag a frameless window by any part of it that does not
// take the mouse itself. An event filter on the window, owned by it: it
// watches the mouse events that reach the window (those its children pass
// on included) and lets them go on unchanged.
class WindowDragger : public QObject
{
    Q_OBJECT
public:
    explicit WindowDragger(QWidget *window);

    bool isDragging() const { return m_dragging; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QPoint m_pressPos;  // the press point inside the window
    bool m_dragging = false;
};
