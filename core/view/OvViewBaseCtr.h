#pragma once

// What a view data holder tells its screen: the list arrived, or one record
// was added, removed or changed. Holders call it on the receive thread; an
// implementation must hand the news to the GUI thread itself.
class OvViewBaseCtr
{
public:
    virtual ~OvViewBaseCtr() = default;
    virtual void haveTerminals() = 0;
    virtual void addTerminal(int id) = 0;
    virtual void delTerminal(int id) = 0;
    virtual void updateTerminal(int id) = 0;
};
