#pragma once

#include <QLayout>
#include <QList>

// Lays its items out left to right and starts a new row where the next one
// does not fit, so a page's row of buttons never makes the window wider than
// the screen. Its minimum width is that of its widest item.
class FlowLayout : public QLayout
{
public:
    explicit FlowLayout(QWidget *parent = nullptr, int spacing = 6);
    ~FlowLayout() override;

    void addItem(QLayoutItem *item) override;
    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect &rect) override;

private:
    // Places the items in `rect` (or only measures, when `place` is false);
    // returns the height used.
    int arrange(const QRect &rect, bool place) const;

    QList<QLayoutItem *> m_items;
};
