#include "framework/MsgTipsGroup.h"

#include "framework/MsgTips.h"

#include <QWidget>

#include <algorithm>

MsgTipsGroup::MsgTipsGroup(QWidget *widget, int w, int h, int right, int top, int bottom)
    : QObject(widget)
{
    const int pitch = h + 5;
    const int n = pitch > 0 ? qMax(0, (widget->height() - top - bottom) / pitch) : 0;
    for (int i = 0; i < n; ++i) {
        const int x = widget->width() - right - w;
        const int y = widget->height() - bottom - i * pitch - h;
        m_slots.emplace_back(x, y, w, h);
        auto *tip = new MsgTips(widget);
        tip->placeIn(m_slots.back());
        connect(tip, &MsgTips::updateMsgTipsGroup, this, &MsgTipsGroup::slot_updateMsgTipsGroup);
        m_tips.push_back(tip);
    }
}

MsgTips *MsgTipsGroup::freeTip() const
{
    for (MsgTips *tip : m_tips) {
        if (!tip->isShown())
            return tip;
    }
    return nullptr;
}

MsgTips *MsgTipsGroup::findTip(const QString &text) const
{
    for (MsgTips *tip : m_tips) {
        if (tip->tipText() == text)
            return tip;
    }
    return nullptr;
}

void MsgTipsGroup::slot_updateMsgTipsGroup()
{
    // Stable: shown tips keep their order among themselves.
    std::stable_partition(m_tips.begin(), m_tips.end(), [](const MsgTips *t) { return t->isShown(); });
    for (size_t j = 0; j < m_tips.size(); ++j)
        m_tips[j]->placeIn(m_slots[j]);
}
