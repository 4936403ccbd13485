#pragma once

#include "framework/ShadowPainter.h"

#include <QPaintEvent>
#include <QPainter>

// A frameless window (dialog or main window) that paints its own border: a
// shadow in its outer 6 pixels where the platform can show see-through
// windows, else a plain 1-pixel line. The content lies inside layout margins
// of frameBorder().
template <typename Base>
class ShadowWidget : public Base
{
public:
    explicit ShadowWidget(QWidget *parent = nullptr) : Base(parent)
    {
        this->setWindowFlags(this->windowFlags() | Qt::FramelessWindowHint
                             | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
        // Without a compositor the see-through pixels would show black.
        if (m_shadow.style() == ShadowPainter::Style::Shadow)
            this->setAttribute(Qt::WA_TranslucentBackground);
    }

    int frameBorder() const { return m_shadow.border(); }
    ShadowPainter::Style frameStyle() const { return m_shadow.style(); }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        m_shadow.paint(painter, this->size());
        Base::paintEvent(event);
    }

private:
    ShadowPainter m_shadow;
};
