#include "view/ViewHolderBase.h"

#include "view/OvQtViewCtrl.h"

ViewHolderBase::ViewHolderBase() = default;
ViewHolderBase::~ViewHolderBase() = default;

void ViewHolderBase::setViewCtrl(std::unique_ptr<OvQtViewCtrl> control)
{
    m_viewCtrl = std::move(control);
}

void ViewHolderBase::notifyList() const
{
    if (m_viewCtrl)
        m_viewCtrl->haveTerminals();
}

void ViewHolderBase::notifyChanged(int id) const
{
    if (m_viewCtrl)
        m_viewCtrl->updateTerminal(id);
}

void ViewHolderBase::notifyDeleted(int id) const
{
    if (m_viewCtrl)
        m_viewCtrl->delTerminal(id);
}

void ViewHolderBase::notifyAdded(int id) const
{
    if (m_viewCtrl)
        m_viewCtrl->addTerminal(id);
}
