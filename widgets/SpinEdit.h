#pragma once

#include <QAbstractSpinBox>

// A spin box whose text is its value, as the designer needs it: the user may
// type any whole number, also one outside the box's bounds, and every
// keystroke is a change. value() is the number the text holds, unclamped, or
// the lower bound when the text holds none; setValue() and the arrows show
// the value clamped to the bounds; leaving the box replaces a number outside
// the bounds by the clamped one, which is a change too.
class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(int singleStep READ singleStep WRITE setSingleStep)
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged USER true)
    // Whether the user may type into the box; without it only the arrows
    // (and the arrow keys) change the value.
    Q_PROPERTY(bool editorEnabled READ editorEnabled WRITE setEditorEnabled)

public:
    explicit SpinEdit(QWidget* parent = nullptr);

    int value() const;
    // Shows the value clamped to the current bounds.
    void setValue(int value);

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // New bounds leave the text as it is; the next setValue, arrow or
    // leaving of the box clamps to them.
    void setMinimum(int minimum);
    void setMaximum(int maximum);
    int singleStep() const { return m_singleStep; }
    void setSingleStep(int step) { m_singleStep = step; }
    bool editorEnabled() const;
    void setEditorEnabled(bool enabled);

    int clamped(int value) const;

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Every change of the text: each keystroke, each step, each setValue
    // that shows another text. The value is value(), as typed.
    void valueChanged(int value);

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_minimum = 0;
    int m_maximum = 99;
    int m_singleStep = 1;
};
