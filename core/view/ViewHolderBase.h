#pragma once

#include <memory>

class OvQtViewCtrl;

// The part of a view data holder that screens bind to: its view control.
// The control is given once at start-up, before any receive thread runs, and
// is never replaced while callbacks may use it.
class ViewHolderBase
{
public:
    ViewHolderBase();
    virtual ~ViewHolderBase();
    ViewHolderBase(const ViewHolderBase &) = delete;
    ViewHolderBase &operator=(const ViewHolderBase &) = delete;

    void setViewCtrl(std::unique_ptr<OvQtViewCtrl> control);
    OvQtViewCtrl *viewCtrl() const { return m_viewCtrl.get(); }

protected:
    // Tells the screens; called after the holder's lock is released.
    void notifyList() const;
    void notifyChanged(int id) const;
    void notifyDeleted(int id) const;
    void notifyAdded(int id) const;

private:
    std::unique_ptr<OvQtViewCtrl> m_viewCtrl;
};
