#include "framework/OvBaseDialog.h"

#include "framework/AppFiles.h"
#include "framework/OvTitleMoveEvent.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

OvBaseDialog::OvBaseDialog(QWidget *parent)
    : QDialog(parent),
      m_header(new QWidget(this)),
      m_title(new QLabel(tr("Manager Center"), m_header)),
      m_close(new QPushButton(m_header)),
      m_content(new QWidget(this))
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setObjectName(QStringLiteral("OvDialog"));
    m_header->setObjectName(QStringLiteral("OvDialogHeader"));
    m_header->setAttribute(Qt::WA_StyledBackground);
    m_header->setMaximumHeight(30);
    m_header->setMinimumHeight(30);
    m_title->setObjectName(QStringLiteral("OvDialogTitle"));
    m_close->setObjectName(QStringLiteral("OvDialogClose"));
    m_close->setFixedSize(37, 17);
    m_close->setFocusPolicy(Qt::NoFocus);

    auto *icon = new QLabel(m_header);
    icon->setPixmap(QPixmap(QStringLiteral(":/images/info18x18.png")));
    auto *headerLayout = new QHBoxLayout(m_header);
    headerLayout->setContentsMargins(8, 0, 4, 0);
    headerLayout->addWidget(icon);
    headerLayout->addWidget(m_title);
    headerLayout->addStretch(1);
    headerLayout->addWidget(m_close, 0, Qt::AlignTop);

    // Room for the 1-pixel border painted around the frameless dialog.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(m_content, 1);

    const QString images = appfiles::imagesDir();
    setStyleSheet(QStringLiteral("QWidget#OvDialog{\nbackground: white;\n}\n"
                                 "QWidget#OvDialogHeader{border-image: url(%1/dialog_header.png);}\n"
                                 "QLabel#OvDialogTitle{color: white;}\n"
                                 // The picture is the whole button: none of the
                                 // application's button padding or minimum width.
                                 "QPushButton#OvDialogClose{border-image: url(%1/close.png); border: none;"
                                 " background: transparent; padding: 0px; min-width: 37px; max-width: 37px;"
                                 " min-height: 17px; max-height: 17px;}\n"
                                 "QPushButton#OvDialogClose:hover{border-image: url(%1/close_hover.png);}\n")
                      .arg(images));
    m_header->installEventFilter(new OvTitleMoveEvent(this, this));
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void OvBaseDialog::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // Frameless and white on a white page: the line shows where it ends.
    QPainter painter(this);
    painter.setPen(QColor(0x8a, 0x9b, 0xb0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void OvBaseDialog::setTitle(const QString &title)
{
    m_title->setText(title);
}

QString OvBaseDialog::title() const
{
    return m_title->text();
}
