#pragma once

#include <QObject>
#include <QRect>

#include <vector>

class MsgTips;
class QWidget;

// A column of toast slots at the bottom right of a widget. Visible tips
// always fill the lowest slots.
class MsgTipsGroup : public QObject
{
    Q_OBJECT
public:
    // w, h: tip size; right: margin to the widget's right edge; top: height
    // kept free at the top; bottom: margin to the widget's bottom edge.
    MsgTipsGroup(QWidget *widget, int w, int h, int right, int top, int bottom);

    int count() const { return static_cast<int>(m_tips.size()); }
    MsgTips *tip(int i) const { return m_tips[static_cast<size_t>(i)]; }
    QRect slotRect(int i) const { return m_slots[static_cast<size_t>(i)]; }

    // The first tip not shown, or nullptr.
    MsgTips *freeTip() const;
    // The tip showing `text`, or nullptr.
    MsgTips *findTip(const QString &text) const;

public slots:
    void slot_updateMsgTipsGroup();

private:
    std::vector<MsgTips *> m_tips;
    std::vector<QRect> m_slots;
};
