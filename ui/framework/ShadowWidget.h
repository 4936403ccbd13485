#pragma once

#include "framework/ShadowPainter.h"

#include <QPaintEvent>
#include <QPainter>

// A frameless window (dialog or main window) that paints its own shadow in
// its outer 6 pixels; the content lies inside layout margins of 6.
template <typename Base>
class ShadowWidget : public Base
{
public:
    explicit ShadowWidget(QWidget *parent = nullptr) : Base(parent)
    {
        this->setWindowFlags(this->windowFlags() | Qt::FramelessWindowHint
                             | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
        this->setAttribute(Qt::WA_TranslucentBackground);
    }

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
