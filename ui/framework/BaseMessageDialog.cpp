#include "framework/BaseMessageDialog.h"

#include "framework/ModalRunner.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

BaseMessageDialog::BaseMessageDialog(const QString &title, const QString &text, int type, QWidget *parent)
    : FramedDialog(QStringLiteral(":/images/info18x18.png"), title, FrameTitleBar::Close, parent),
      m_text(text),
      m_type(type),
      m_area(new QTextEdit(this)),
      m_confirm(new QPushButton(QStringLiteral("确认"), this)),
      m_cancel(new QPushButton(QStringLiteral("取消"), this)),
      m_timer(new QTimer(this))
{
    setWindowTitle(QStringLiteral("信息"));
    setWindowIcon(QIcon(QStringLiteral(":/images/info32x32.png")));
    setObjectName(QStringLiteral("baseMessageDialog"));

    m_area->setObjectName(QStringLiteral("messageText"));
    m_area->setReadOnly(true);
    m_area->setFrameShape(QFrame::NoFrame);
    m_area->setFocusPolicy(Qt::NoFocus);
    // The document breaks lines at LF; the CR of the layout would show as a glyph.
    m_area->setPlainText(layoutText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    for (QTextBlock b = m_area->document()->begin(); b.isValid(); b = b.next()) {
        QTextCursor cursor(b);
        QTextBlockFormat format = b.blockFormat();
        format.setAlignment(Qt::AlignHCenter);
        cursor.setBlockFormat(format);
    }
    body()->addWidget(m_area, 1);

    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_confirm);
    row->addWidget(m_cancel);
    body()->addLayout(row);
    connect(m_confirm, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    switch (type) {
    case ConfirmOnly:
        m_cancel->hide();
        break;
    case CancelOnly:
        m_confirm->hide();
        break;
    case SelfClosing:
        m_confirm->hide();
        m_cancel->hide();
        m_timer->setSingleShot(true);
        connect(m_timer, &QTimer::timeout, this, &QDialog::reject);
        m_timer->start(kSelfCloseMs);
        break;
    default:
        break;
    }
    m_confirm->setDefault(type != CancelOnly);
    resize(380, 220);
}

QString BaseMessageDialog::layoutText(const QString &text)
{
    const QString gap = text.size() < 22 ? QStringLiteral("\r\n\r\n") : QStringLiteral("\r\n");
    return QStringLiteral("    ") + gap + QStringLiteral("    ") + text;
}

QString BaseMessageDialog::title() const
{
    return titleBar()->title();
}

int showMessageDialog(const QString &title, const QString &text, int type, QWidget *parent)
{
    BaseMessageDialog dialog(title, text, type, parent);
    return modal::run(dialog);
}
