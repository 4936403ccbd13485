#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// One input channel of a fire-alarm interface, read from its channel table.
struct FAlarmChannel
{
    int number = 0;  // from 1
    QString name;
    int taskId = 0;  // the bound sound-source task; 0 = none
};

// The channel table: pieces joined by "!!!" (empty pieces kept), one per
// channel; a piece is "name#$%taskId", or just the task id, in which case the
// channel is called 通道 and its number. A task id that is empty or not a
// number is 0. An empty text is one channel, 通道1, with no task.
QVector<FAlarmChannel> parseFAlarmChannels(const QByteArray &broadcast);
