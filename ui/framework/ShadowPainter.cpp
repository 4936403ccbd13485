#include "framework/ShadowPainter.h"

#include "framework/Translucency.h"

#include <QColor>
#include <QPainter>

ShadowPainter::ShadowPainter() : ShadowPainter(translucency::available() ? Style::Shadow : Style::Plain) {}

ShadowPainter::ShadowPainter(Style style) : m_style(style)
{
    if (m_style != Style::Shadow)
        return;
    static const char *const names[PieceCount] = {
        ":/images/shadow/shadow-left",        ":/images/shadow/shadow-right",
        ":/images/shadow/shadow-top",         ":/images/shadow/shadow-bottom",
        ":/images/shadow/shadow-left-top",    ":/images/shadow/shadow-right-top",
        ":/images/shadow/shadow-left-bottom", ":/images/shadow/shadow-right-bottom",
    };
    for (int i = 0; i < PieceCount; ++i)
        m_pieces[static_cast<size_t>(i)].load(QString::fromLatin1(names[i]));
}

void ShadowPainter::paint(QPainter &painter, const QSize &size) const
{
    const int w = size.width();
    const int h = size.height();
    if (m_style == Style::Plain) {
        painter.setPen(QColor(0x8a, 0x9b, 0xb0));
        painter.setBrush(Qt::white);
        painter.drawRect(QRect(0, 0, w - 1, h - 1));
        return;
    }
    const int b = kBorder;
    auto piece = [this](Piece p) -> const QPixmap & { return m_pieces[static_cast<size_t>(p)]; };
    painter.drawPixmap(0, 0, b, b, piece(LeftTop));
    painter.drawPixmap(w - b, 0, b, b, piece(RightTop));
    painter.drawPixmap(0, h - b, b, b, piece(LeftBottom));
    painter.drawPixmap(w - b, h - b, b, b, piece(RightBottom));
    painter.drawPixmap(0, b, b, h - 2 * b, piece(Left));
    painter.drawPixmap(w - b, b, b, h - 2 * b, piece(Right));
    painter.drawPixmap(b, 0, w - 2 * b, b, piece(Top));
    painter.drawPixmap(b, h - b, w - 2 * b, b, piece(Bottom));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(QRect(QPoint(b, b), QPoint(w - b - 1, h - b - 1)));
}
