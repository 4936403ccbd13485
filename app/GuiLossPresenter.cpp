#include "GuiLossPresenter.h"

#include "framework/BaseMessageDialog.h"
#include "protocol/OvNetLosssHandle.h"

#include <QApplication>

GuiLossPresenter::GuiLossPresenter(OvNetLosssHandle &handle)
{
    handle.setPresenter([this](const QString &title, const QString &text) {
        if (!m_quiet)
            showMessageDialog(title, text, BaseMessageDialog::ConfirmOnly);
    });
    handle.setWindowCloser([this] {
        if (!m_quiet)
            QApplication::closeAllWindows();
    });
}
