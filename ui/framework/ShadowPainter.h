#pragma once

#include <QPixmap>

#include <array>

class QPainter;
class QSize;

// Paints the 6-pixel shadow border of a frameless window and fills its
// inside white. The eight pieces come from ":/images/shadow/".
class ShadowPainter
{
public:
    static constexpr int kBorder = 6;

    ShadowPainter();
    void paint(QPainter &painter, const QSize &size) const;

private:
    enum Piece { Left, Right, Top, Bottom, LeftTop, RightTop, LeftBottom, RightBottom, PieceCount };
    std::array<QPixmap, PieceCount> m_pieces;
};
