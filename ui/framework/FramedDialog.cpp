#include "framework/FramedDialog.h"

#include <QPushButton>
#include <QVBoxLayout>

FramedDialog::FramedDialog(const QString &iconPath, const QString &title, int titleButtons, QWidget *parent)
    : ShadowWidget<QDialog>(parent),
      m_titleBar(new FrameTitleBar(iconPath, title, titleButtons, this)),
      m_body(new QVBoxLayout),
      m_dragger(new WindowDragger(this))
{
    setObjectName(QStringLiteral("framedDialog"));
    auto *outer = new QVBoxLayout(this);
    const int b = frameBorder();
    outer->setContentsMargins(b, b, b, b);
    outer->setSpacing(0);
    outer->addWidget(m_titleBar);
    m_body->setContentsMargins(16, 12, 16, 14);
    m_body->setSpacing(10);
    outer->addLayout(m_body, 1);
    if (QPushButton *close = m_titleBar->button(FrameTitleBar::Close))
        connect(close, &QPushButton::clicked, this, &QDialog::reject);
    if (QPushButton *min = m_titleBar->button(FrameTitleBar::Minimise))
        connect(min, &QPushButton::clicked, this, &QWidget::showMinimized);
}
