#pragma once

#include <QDialog>

class QLabel;

// One toast notification: a frameless stay-on-top window inside a parent
// widget that hides itself after its timeout.
class MsgTips : public QDialog
{
    Q_OBJECT
public:
    enum Style : int { Green = 1, Orange = 2 };

    explicit MsgTips(QWidget *parent);

    void setTipText(const QString &text) { m_text = text; }
    QString tipText() const { return m_text; }
    void setStyle(int style);
    void setLabelText(const QString &text);
    QString labelText() const;
    // Shows the tip; a timeout >= 0 hides it after that many milliseconds,
    // a negative one keeps it until it is replaced.
    void showTip(int timeoutMs);
    // Restarts a running timer with the remembered timeout and sets the label.
    void updateTip(const QString &labelText);
    bool isShown() const { return m_shown; }
    // Places the tip in a slot rectangle (in its parent's coordinates).
    void placeIn(const QRect &slot);

signals:
    void updateMsgTipsGroup();

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void expire();
    void stopTimer();

    QLabel *m_label;
    QString m_text;
    bool m_shown = false;
    int m_timerId = 0;
    int m_timeoutMs = 0;
};
