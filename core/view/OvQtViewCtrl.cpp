#include "view/OvQtViewCtrl.h"

#include "view/OvQtViewSignal.h"

OvQtViewCtrl::OvQtViewCtrl() = default;
OvQtViewCtrl::~OvQtViewCtrl() = default;

OvQtViewSignal *OvQtViewCtrl::createSignal()
{
    if (!m_signal)
        m_signal = std::make_unique<OvQtViewSignal>();
    return m_signal.get();
}

void OvQtViewCtrl::haveTerminals()
{
    if (m_signal)
        emit m_signal->haveTerminals();
}

void OvQtViewCtrl::addTerminal(int id)
{
    if (m_signal)
        emit m_signal->addTerminal(id);
}

void OvQtViewCtrl::delTerminal(int id)
{
    if (m_signal)
        emit m_signal->delTerminal(id);
}

void OvQtViewCtrl::updateTerminal(int id)
{
    if (m_signal)
        emit m_signal->updateTerminal(id);
}
