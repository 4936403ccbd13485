#include "framework/WindowDragger.h"

#include <QMouseEvent>
#include <QWidget>

WindowDragger::WindowDragger(QWidget *window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

bool WindowDragger::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() == Qt::LeftButton) {
            m_dragging = true;
            m_pressPos = e->globalPos() - m_window->frameGeometry().topLeft();
        }
        break;
    }
    case QEvent::MouseMove:
        if (m_dragging)
            m_window->move(static_cast<QMouseEvent *>(event)->globalPos() - m_pressPos);
        break;
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        break;
    default:
        break;
    }
    return false;
}
