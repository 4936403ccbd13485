#pragma once

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>

// Reads control lines from standard input without blocking the event loop.
class StdinReader : public QObject
{
    Q_OBJECT
public:
    explicit StdinReader(QObject *parent = nullptr);

signals:
    void line(const QString &text);
    void endOfInput();

private:
    void onReadable();

    QSocketNotifier m_notifier;
    QByteArray m_buffer;
};
