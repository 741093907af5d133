#pragma once

#include "alarms/AlarmEditorValues.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <span>
#include <variant>

// The alarm editor's controls and the values of AlarmEditorValues they show:
// one row per control, which the two transfers (values to controls, controls
// to values) walk in this order.

// A value of the editor's values, as the control shows it.
template <typename Value>
using EditorField = Value& (*)(AlarmEditorValues&);

// A radio button of a choice held as a number: checked when the choice is
// value, and checking it makes the choice value.
struct EditorChoice {
    int (*get)(const AlarmEditorValues&);
    void (*set)(AlarmEditorValues&, int);
    int value;
};

struct AlarmEditorField {
    const char* control; // the control's object name
    // A time edit's time, a date edit's date, a check box's state, a spin
    // box's value or a list's or page control's index, a line edit's text or
    // a file button's caption, or one button of a radio choice.
    std::variant<EditorField<QTime>, EditorField<QDate>, EditorField<bool>, EditorField<int>, EditorField<QString>,
        EditorChoice>
        field;
};

std::span<const AlarmEditorField> AlarmEditorFields();
