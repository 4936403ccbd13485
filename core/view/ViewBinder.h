#pragma once

class QObject;
class ViewHolderBase;

// Connects a screen's slot to one of a holder's view signals.
class ViewBinder
{
public:
    enum SignalType : int { HaveTerminals = 0, AddTerminal = 1, DelTerminal = 2, UpdateTerminal = 3 };

    explicit ViewBinder(ViewHolderBase *holder = nullptr) : m_holder(holder) {}
    void setHolder(ViewHolderBase *holder) { m_holder = holder; }

    // `slot` is a slot signature, plain ("showCaps()") or as SLOT() writes it.
    // -1 when the holder, its view control, the slot text or the type is
    // missing or the connection fails; else 0.
    int bindView(int type, QObject *receiver, const char *slot) const;

private:
    ViewHolderBase *m_holder;
};
