#pragma once

#include "framework/FramedDialog.h"

#include <QByteArray>

class QLineEdit;
class QPushButton;

// Asks the operator for a name (terminals, groups, files). The name is kept
// as local 8-bit text (UTF-8), as the protocol carries it.
class BaseSetNameDialog : public FramedDialog
{
    Q_OBJECT
public:
    static constexpr int kMaxLength = 32;

    explicit BaseSetNameDialog(QWidget *parent = nullptr);

    void setName(const QByteArray &name);
    void setTitle(const QString &title);
    QByteArray name() const { return m_name; }
    QLineEdit *nameEdit() const { return m_edit; }
    QPushButton *confirmButton() const { return m_confirm; }

private slots:
    void slot_confirm();

private:
    QByteArray m_name;
    QLineEdit *m_edit;
    QPushButton *m_confirm;
};
