#include "OvTitleDClicked.h"

#include <QEvent>

bool OvTitleDClicked::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && m_toggle)
        m_toggle();
    return QObject::eventFilter(watched, event);
}
