#include "managers/firealarm/FAlarmChannels.h"

#include <QStringList>

QVector<FAlarmChannel> parseFAlarmChannels(const QByteArray &broadcast)
{
    const QStringList pieces = QString::fromUtf8(broadcast).split(QStringLiteral("!!!"));
    QVector<FAlarmChannel> channels;
    channels.reserve(pieces.size());
    for (int i = 0; i < pieces.size(); ++i) {
        FAlarmChannel c;
        c.number = i + 1;
        const QStringList parts = pieces[i].split(QStringLiteral("#$%"));
        QString task;
        if (parts.size() == 2) {
            c.name = parts[0];
            task = parts[1];
        } else {
            c.name = QStringLiteral("通道") + QString::number(c.number);
            task = parts[0];
        }
        bool ok = false;
        const int id = task.toInt(&ok);
        c.taskId = ok ? id : 0;
        channels.append(c);
    }
    return channels;
}
