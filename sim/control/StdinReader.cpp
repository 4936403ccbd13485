#include "control/StdinReader.h"

#include <QString>

#include <unistd.h>

StdinReader::StdinReader(QObject *parent)
    : QObject(parent), m_notifier(STDIN_FILENO, QSocketNotifier::Read)
{
    connect(&m_notifier, &QSocketNotifier::activated, this, &StdinReader::onReadable);
}

void StdinReader::onReadable()
{
    char chunk[4096];
    const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (n <= 0) {
        m_notifier.setEnabled(false);
        if (!m_buffer.isEmpty())
            emit line(QString::fromUtf8(m_buffer));
        m_buffer.clear();
        emit endOfInput();
        return;
    }
    m_buffer.append(chunk, int(n));
    qsizetype nl;
    while ((nl = m_buffer.indexOf('\n')) >= 0) {
        QByteArray text = m_buffer.left(nl);
        m_buffer.remove(0, nl + 1);
        if (text.endsWith('\r'))
            text.chop(1);
        emit line(QString::fromUtf8(text));
    }
}
