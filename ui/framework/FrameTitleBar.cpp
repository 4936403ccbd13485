#include "framework/FrameTitleBar.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

FrameTitleBar::FrameTitleBar(const QString &iconPath, const QString &title, int buttons, QWidget *parent)
    : QWidget(parent), m_title(new QLabel(title, this))
{
    setObjectName(QStringLiteral("frameTitleBar"));
    setAttribute(Qt::WA_StyledBackground);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 4, 0);
    layout->setSpacing(4);
    if (!iconPath.isEmpty()) {
        auto *icon = new QLabel(this);
        icon->setObjectName(QStringLiteral("titleIcon"));
        icon->setPixmap(QPixmap(iconPath).scaled(18, 18, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        layout->addWidget(icon);
    }
    m_title->setObjectName(QStringLiteral("titleLabel"));
    layout->addWidget(m_title);
    layout->addStretch(1);
    if (buttons & Minimise)
        layout->addWidget(m_min = makeButton("titleMinButton", "min", tr("Minimize")));
    if (buttons & Maximise)
        layout->addWidget(m_max = makeButton("titleMaxButton", "max", tr("Maximize")));
    if (buttons & Restore)
        layout->addWidget(m_restore = makeButton("titleRestoreButton", "restore", tr("Restore")));
    if (buttons & Close)
        layout->addWidget(m_close = makeButton("titleCloseButton", "close", tr("Close")));
    setFixedHeight(34);
}

QPushButton *FrameTitleBar::makeButton(const char *objectName, const char *image, const QString &toolTip)
{
    auto *b = new QPushButton(this);
    b->setIcon(QIcon(QStringLiteral(":/images/title_%1.png").arg(QLatin1String(image))));
    b->setIconSize(QSize(14, 14));
    b->setObjectName(QString::fromLatin1(objectName));
    b->setFixedSize(kButtonWidth, kButtonHeight);
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolTip(toolTip);
    return b;
}

void FrameTitleBar::setTitle(const QString &title)
{
    m_title->setText(title);
}

QString FrameTitleBar::title() const
{
    return m_title->text();
}

QPushButton *FrameTitleBar::button(Button which) const
{
    switch (which) {
    case Minimise: return m_min;
    case Maximise: return m_max;
    case Restore: return m_restore;
    case Close: return m_close;
    }
    return nullptr;
}
