#include "view/ViewBinder.h"

#include "view/OvQtViewCtrl.h"
#include "view/OvQtViewSignal.h"
#include "view/ViewHolderBase.h"

#include <QByteArray>
#include <QObject>

namespace {

const char *signalFor(int type)
{
    switch (type) {
    case ViewBinder::HaveTerminals: return SIGNAL(haveTerminals());
    case ViewBinder::AddTerminal: return SIGNAL(addTerminal(int));
    case ViewBinder::DelTerminal: return SIGNAL(delTerminal(int));
    case ViewBinder::UpdateTerminal: return SIGNAL(updateTerminal(int));
    default: return nullptr;
    }
}

} // namespace

int ViewBinder::bindView(int type, QObject *receiver, const char *slot) const
{
    if (!m_holder || !m_holder->viewCtrl() || !m_holder->viewCtrl()->viewSignal())
        return -1;
    if (!receiver || !slot || !*slot)
        return -1;
    const char *signal = signalFor(type);
    if (!signal)
        return -1;
    QByteArray slotText(slot);
    if (slotText.front() < '0' || slotText.front() > '9')
        slotText.prepend(QByteArray::number(QSLOT_CODE));
    const bool ok = QObject::connect(m_holder->viewCtrl()->viewSignal(), signal, receiver,
                                     slotText.constData());
    return ok ? 0 : -1;
}
