#include "managers/common/MemberIds.h"

#include "managers/common/RowFields.h"

#include <QByteArrayList>

#include <unordered_set>

namespace members {

std::vector<int> parseIds(const QByteArray &text)
{
    std::vector<int> ids;
    for (const QByteArray &part : text.split(' ')) {
        if (!part.isEmpty())
            ids.push_back(rows::decimalValue(part));
    }
    return ids;
}

QByteArray joinIds(const std::vector<int> &ids)
{
    QByteArray text;
    for (const int id : ids) {
        if (!text.isEmpty())
            text += ' ';
        text += QByteArray::number(id);
    }
    return text;
}

std::vector<int> mergeEdited(const std::vector<int> &before, const std::function<bool(int id)> &listed,
                             const std::vector<int> &checkedInTableOrder)
{
    const std::unordered_set<int> checked(checkedInTableOrder.begin(), checkedInTableOrder.end());
    const std::unordered_set<int> old(before.begin(), before.end());
    std::vector<int> out;
    out.reserve(before.size() + checkedInTableOrder.size());
    for (const int id : before) {
        if (!listed(id) || checked.count(id))
            out.push_back(id);
    }
    for (const int id : checkedInTableOrder) {
        if (!old.count(id))
            out.push_back(id);
    }
    return out;
}

} // namespace members
