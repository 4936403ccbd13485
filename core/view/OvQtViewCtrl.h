#pragma once

#include "view/OvViewBaseCtr.h"

#include <memory>

class OvQtViewSignal;

// The view control of the holders: each operation emits the signal of the
// same name on its signal object.
class OvQtViewCtrl final : public OvViewBaseCtr
{
public:
    OvQtViewCtrl();
    ~OvQtViewCtrl() override;
    OvQtViewCtrl(const OvQtViewCtrl &) = delete;
    OvQtViewCtrl &operator=(const OvQtViewCtrl &) = delete;

    void haveTerminals() override;
    void addTerminal(int id) override;
    void delTerminal(int id) override;
    void updateTerminal(int id) override;

    // Creates the signal object when there is none yet; returns it.
    OvQtViewSignal *createSignal();
    OvQtViewSignal *viewSignal() const { return m_signal.get(); }

private:
    std::unique_ptr<OvQtViewSignal> m_signal;
};
