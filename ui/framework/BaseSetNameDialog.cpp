#include "framework/BaseSetNameDialog.h"

#include "framework/BaseMessageDialog.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

BaseSetNameDialog::BaseSetNameDialog(QWidget *parent)
    : FramedDialog(QStringLiteral(":/images/edit20x20.png"), tr("Set Name"), FrameTitleBar::Close, parent),
      m_edit(new QLineEdit(this)),
      m_confirm(new QPushButton(QStringLiteral("确认"), this))
{
    setObjectName(QStringLiteral("baseSetNameDialog"));
    setWindowTitle(tr("Set Name"));
    setWindowIcon(QIcon(QStringLiteral(":/images/edit20x20.png")));
    m_edit->setMaxLength(kMaxLength);
    body()->addWidget(m_edit);
    auto *note = new QLabel(QStringLiteral("注意：长度不可超过8个中文或者16个字符！"), this);
    note->setObjectName(QStringLiteral("noteLabel"));
    body()->addWidget(note);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_confirm);
    row->addWidget(cancel);
    body()->addLayout(row);
    m_confirm->setDefault(true);
    connect(m_confirm, &QPushButton::clicked, this, &BaseSetNameDialog::slot_confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(360, 190);
    m_edit->setFocus();
}

void BaseSetNameDialog::setName(const QByteArray &name)
{
    m_name = name;
    m_edit->setText(QString::fromLocal8Bit(name));
}

void BaseSetNameDialog::setTitle(const QString &title)
{
    setWindowTitle(title);
    titleBar()->setTitle(title);
}

void BaseSetNameDialog::slot_confirm()
{
    if (m_edit->text().isEmpty()) {
        showMessageDialog(tr("Tips"), tr("Setting Error!"), BaseMessageDialog::ConfirmOnly, this);
        return;
    }
    m_name = m_edit->text().toLocal8Bit();
    accept();
}
