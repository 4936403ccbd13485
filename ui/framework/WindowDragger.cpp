#include "framework/WindowDragger.h"

#include <QMouseEvent>
#include <QWidget>

void WindowDragger::mousePress(const QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    m_pressPos = event->globalPos() - m_window->frameGeometry().topLeft();
}

void WindowDragger::mouseMove(const QMouseEvent *event)
{
    if (m_dragging)
        m_window->move(event->globalPos() - m_pressPos);
}

void WindowDragger::mouseRelease(const QMouseEvent *)
{
    m_dragging = false;
}
