#pragma once

#include "framework/FrameTitleBar.h"
#include "framework/ShadowWidget.h"
#include "framework/WindowDragger.h"

#include <QDialog>

class QVBoxLayout;

// A shadowed frameless dialog with a title bar, dragged with the mouse.
// Derived dialogs put their content into body().
class FramedDialog : public ShadowWidget<QDialog>
{
    Q_OBJECT
public:
    FramedDialog(const QString &iconPath, const QString &title, int titleButtons, QWidget *parent = nullptr);

    FrameTitleBar *titleBar() const { return m_titleBar; }
    QVBoxLayout *body() const { return m_body; }

    WindowDragger *dragger() const { return m_dragger; }

private:
    FrameTitleBar *m_titleBar;
    QVBoxLayout *m_body;
    WindowDragger *m_dragger;
};
