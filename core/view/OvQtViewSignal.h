#pragma once

#include <QObject>

// The signals a screen connects to. It lives on the GUI thread and has no
// parent; emitting from the receive thread queues the calls to the screens.
class OvQtViewSignal : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void haveTerminals();
    void addTerminal(int id);
    void delTerminal(int id);
    void updateTerminal(int id);
};
