#pragma once

class QGroupBox;

// A group box of radio buttons used as one choice: the item index is the
// position of the checked button among the box's radio buttons, -1 for none.
int RadioGroupItemIndex(const QGroupBox* group);

// Values above the last item select the last one, values below -1 count as
// -1, which clears the choice.
void SetRadioGroupItemIndex(QGroupBox* group, int index);
