#include "widgets/RadioGroup.h"

#include <QGroupBox>
#include <QRadioButton>

#include <algorithm>

namespace {

QList<QRadioButton*> ItemsOf(const QGroupBox* group)
{
    return group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
}

} // namespace

int RadioGroupItemIndex(const QGroupBox* group)
{
    const QList<QRadioButton*> items = ItemsOf(group);
    for (qsizetype i = 0; i < items.size(); ++i)
        if (items[i]->isChecked())
            return int(i);
    return -1;
}

void SetRadioGroupItemIndex(QGroupBox* group, int index)
{
    const QList<QRadioButton*> items = ItemsOf(group);
    index = std::clamp(index, -1, int(items.size()) - 1);
    for (qsizetype i = 0; i < items.size(); ++i) {
        // Auto-exclusive buttons cannot all be unchecked; lift it for a moment.
        items[i]->setAutoExclusive(false);
        items[i]->setChecked(i == index);
        items[i]->setAutoExclusive(true);
    }
}
