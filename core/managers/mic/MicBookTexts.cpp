#include "managers/mic/MicBookTexts.h"

#include "managers/common/TerminalTypeNames.h"

#include <QByteArrayList>

namespace micbooks {

QByteArray callBookText(const QVector<Contact> &contacts)
{
    QByteArrayList tokens;
    for (const Contact &c : contacts)
        tokens.append(terminalTypeName(c.typeCode) + '_' + QByteArray::number(c.id));
    return tokens.join(' ');
}

QByteArray transferBookText(const QVector<int> &microphoneIds, const QVector<int> &groupIds)
{
    QByteArrayList tokens;
    for (const int id : microphoneIds)
        tokens.append("Mic35_" + QByteArray::number(id));
    for (const int id : groupIds)
        tokens.append("CallSerGroup_" + QByteArray::number(id));
    return tokens.join(' ');
}

QByteArray monitorListText(const QVector<Monitored> &terminals)
{
    QByteArrayList tokens;
    for (const Monitored &t : terminals) {
        const QByteArray prefix = t.typeText.contains("Mic") ? t.typeText : QByteArrayLiteral("IpAmp");
        tokens.append(prefix + '_' + QByteArray::number(t.id));
    }
    return tokens.join(' ');
}

QByteArray idListText(const QVector<int> &ids)
{
    QByteArrayList tokens;
    for (const int id : ids)
        tokens.append(QByteArray::number(id));
    return tokens.join(' ');
}

} // namespace micbooks
