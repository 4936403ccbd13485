#include "framework/MsgTips.h"

#include <QLabel>
#include <QTimerEvent>

namespace {
const char *const kGreenFirst = "background-color: #f0f9eb; border: 1px solid #3b4b54; border-radius: 6px;";
const char *const kGreen = "background-color: #f0f9eb; border: 1px solid #3b4b54; border-radius: 10px;";
const char *const kOrange = "background-color: #fdf6ec; border: 1px solid #3b4b54; border-radius: 10px;";
const char *const kLabel = "color: #000000; font-size: 14px; border: 0px; margin-top: 10px; margin-left: 10px;";
} // namespace

MsgTips::MsgTips(QWidget *parent) : QDialog(parent), m_label(new QLabel(this))
{
    // A child window inside the page: not a separate top-level window.
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::SubWindow);
    setAttribute(Qt::WA_StyledBackground);
    setWindowOpacity(1.0);
    setStyleSheet(QString::fromLatin1(kGreenFirst));
    m_label->setStyleSheet(QString::fromLatin1(kLabel));
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    hide();
}

void MsgTips::setStyle(int style)
{
    setStyleSheet(QString::fromLatin1(style == Orange ? kOrange : kGreen));
}

void MsgTips::setLabelText(const QString &text)
{
    m_label->setText(text);
}

QString MsgTips::labelText() const
{
    return m_label->text();
}

void MsgTips::showTip(int timeoutMs)
{
    stopTimer();
    show();
    raise();
    m_shown = true;
    if (timeoutMs >= 0) {
        m_timeoutMs = timeoutMs;
        m_timerId = startTimer(timeoutMs);
    }
}

void MsgTips::updateTip(const QString &labelText)
{
    if (m_timerId != 0) {
        stopTimer();
        m_timerId = startTimer(m_timeoutMs);
    }
    setLabelText(labelText);
}

void MsgTips::placeIn(const QRect &slot)
{
    setGeometry(slot);
    m_label->setMinimumSize(qMax(0, slot.width() - 20), qMax(0, slot.height() - 20));
    m_label->setGeometry(0, 0, slot.width(), slot.height());
}

void MsgTips::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_timerId)
        expire();
}

void MsgTips::expire()
{
    stopTimer();
    hide();
    m_shown = false;
    m_text.clear();
    setStyle(Green);
    emit updateMsgTipsGroup();
}

void MsgTips::stopTimer()
{
    if (m_timerId != 0) {
        killTimer(m_timerId);
        m_timerId = 0;
    }
}
