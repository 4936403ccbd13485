#pragma once

#include <QObject>

#include <functional>

// Event filter on the main window's title bar: a double click toggles
// between the maximised and the normal layout. Events pass on.
class OvTitleDClicked : public QObject
{
    Q_OBJECT
public:
    OvTitleDClicked(std::function<void()> toggle, QObject *parent) : QObject(parent), m_toggle(std::move(toggle)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_toggle;
};
