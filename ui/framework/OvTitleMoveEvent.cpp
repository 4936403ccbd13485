#include "framework/OvTitleMoveEvent.h"

#include <QMouseEvent>
#include <QWidget>

OvTitleMoveEvent::OvTitleMoveEvent(QWidget *window, QObject *parent)
    : QObject(parent ? parent : window), m_window(window)
{
}

bool OvTitleMoveEvent::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *e = static_cast<QMouseEvent *>(event);
        m_cursorAtPress = e->globalPos();
        m_windowAtPress = m_window->pos();
        m_dragging = true;
        break;
    }
    case QEvent::MouseMove:
        if (m_dragging) {
            const auto *e = static_cast<QMouseEvent *>(event);
            m_window->move(m_windowAtPress + (e->globalPos() - m_cursorAtPress));
        }
        break;
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
