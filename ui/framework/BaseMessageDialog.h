#pragma once

#include "framework/FramedDialog.h"

class QPushButton;
class QTextEdit;
class QTimer;

// The message dialog of the console. Type 1: confirm only; 2: cancel only;
// 4: no buttons, closes itself (rejected) 1.5 s after construction; any
// other type: confirm and cancel. The caller runs it modally.
class BaseMessageDialog : public FramedDialog
{
    Q_OBJECT
public:
    enum Type : int { ConfirmOnly = 1, CancelOnly = 2, SelfClosing = 4, ConfirmCancel = 0 };
    static constexpr int kSelfCloseMs = 1500;

    BaseMessageDialog(const QString &title, const QString &text, int type, QWidget *parent = nullptr);

    // The text as laid out in the text area: short texts get an extra line
    // break so that they appear vertically centred.
    static QString layoutText(const QString &text);

    QString title() const;
    QString text() const { return m_text; }
    int type() const { return m_type; }
    QPushButton *confirmButton() const { return m_confirm; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    QString m_text;
    int m_type;
    QTextEdit *m_area;
    QPushButton *m_confirm;
    QPushButton *m_cancel;
    QTimer *m_timer;
};

// Builds a BaseMessageDialog and runs it modally (through modal::run).
int showMessageDialog(const QString &title, const QString &text, int type, QWidget *parent = nullptr);
