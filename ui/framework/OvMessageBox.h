#pragma once

#include "framework/OvBaseDialog.h"

class QLabel;

// The process-wide question box with an OK-and-Cancel row and an OK-only row.
class OvMessageBox : public OvBaseDialog
{
    Q_OBJECT
public:
    enum Flag : int { Ok = 1, Cancel = 2 };

    static OvMessageBox &instance();

    // Shows the rows the flags ask for and sets the text; the caller runs it.
    void prepare(const QString &text, int flags);
    QString text() const;
    bool okCancelRowVisible() const;
    bool okRowVisible() const;

private:
    explicit OvMessageBox(QWidget *parent = nullptr);

    QLabel *m_text;
    QWidget *m_okCancelRow;
    QWidget *m_okRow;
};

// Runs the process-wide box modally: flags with bits 1 and 2 show OK and
// Cancel, bit 1 alone shows OK only. The title is not shown (the box keeps
// its own). Returns the dialog result.
int showMessageBox(QWidget *parent, const QString &title, const QString &text, int flags);
