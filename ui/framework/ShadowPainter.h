#pragma once

#include <QPixmap>

#include <array>

class QPainter;
class QSize;

// Paints the border of a frameless window and fills its inside white: the
// 6-pixel shadow from the eight pieces of ":/images/shadow/" where windows
// can be see-through, else a plain 1-pixel line.
class ShadowPainter
{
public:
    static constexpr int kBorder = 6;
    static constexpr int kPlainBorder = 1;
    enum class Style { Shadow, Plain };

    // The style the platform allows (translucency::available()).
    ShadowPainter();
    explicit ShadowPainter(Style style);

    Style style() const { return m_style; }
    // Width of the border the content must leave free.
    int border() const { return m_style == Style::Shadow ? kBorder : kPlainBorder; }
    void paint(QPainter &painter, const QSize &size) const;

private:
    enum Piece { Left, Right, Top, Bottom, LeftTop, RightTop, LeftBottom, RightBottom, PieceCount };
    Style m_style;
    std::array<QPixmap, PieceCount> m_pieces;
};
