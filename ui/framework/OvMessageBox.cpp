#include "framework/OvMessageBox.h"

#include "framework/ModalRunner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

OvMessageBox &OvMessageBox::instance()
{
    static OvMessageBox *box = new OvMessageBox;  // lives for the whole run
    return *box;
}

OvMessageBox::OvMessageBox(QWidget *parent)
    : OvBaseDialog(parent),
      m_text(new QLabel(content())),
      m_okCancelRow(new QWidget(content())),
      m_okRow(new QWidget(content()))
{
    setObjectName(QStringLiteral("OvDialog"));
    m_text->setObjectName(QStringLiteral("messageBoxText"));
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignCenter);

    auto *ok = new QPushButton(tr("OK"), m_okCancelRow);
    auto *cancel = new QPushButton(tr("Cancel"), m_okCancelRow);
    auto *okCancel = new QHBoxLayout(m_okCancelRow);
    okCancel->addStretch(1);
    okCancel->addWidget(ok);
    okCancel->addWidget(cancel);
    auto *okOnly = new QPushButton(tr("OK"), m_okRow);
    auto *okLayout = new QHBoxLayout(m_okRow);
    okLayout->addStretch(1);
    okLayout->addWidget(okOnly);

    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_okCancelRow);
    layout->addWidget(m_okRow);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(okOnly, &QPushButton::clicked, this, &QDialog::accept);
    resize(360, 180);
}

void OvMessageBox::prepare(const QString &text, int flags)
{
    m_okCancelRow->hide();
    m_okRow->hide();
    if ((flags & Ok) && (flags & Cancel))
        m_okCancelRow->show();
    else if (flags & Ok)
        m_okRow->show();
    m_text->setText(text);
}

QString OvMessageBox::text() const
{
    return m_text->text();
}

bool OvMessageBox::okCancelRowVisible() const
{
    return !m_okCancelRow->isHidden();
}

bool OvMessageBox::okRowVisible() const
{
    return !m_okRow->isHidden();
}

int showMessageBox(QWidget *parent, const QString &, const QString &text, int flags)
{
    OvMessageBox &box = OvMessageBox::instance();
    Q_UNUSED(parent)  // one box for the whole run; it stays a top-level window
    box.prepare(text, flags);
    return modal::run(box);
}
