#include "framework/FramedDialog.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

FramedDialog::FramedDialog(const QString &iconPath, const QString &title, int titleButtons, QWidget *parent)
    : ShadowWidget<QDialog>(parent),
      m_titleBar(new FrameTitleBar(iconPath, title, titleButtons, this)),
      m_body(new QVBoxLayout),
      m_dragger(this)
{
    setObjectName(QStringLiteral("framedDialog"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(ShadowPainter::kBorder, ShadowPainter::kBorder, ShadowPainter::kBorder,
                              ShadowPainter::kBorder);
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

void FramedDialog::mousePressEvent(QMouseEvent *event)
{
    m_dragger.mousePress(event);
    QDialog::mousePressEvent(event);
}

void FramedDialog::mouseMoveEvent(QMouseEvent *event)
{
    m_dragger.mouseMove(event);
    QDialog::mouseMoveEvent(event);
}

void FramedDialog::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragger.mouseRelease(event);
    QDialog::mouseReleaseEvent(event);
}
