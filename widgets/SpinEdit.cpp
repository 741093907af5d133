#include "widgets/SpinEdit.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>
#include <optional>

namespace {

// A sign and up to nine digits: every such text converts to an int.
const QRegularExpression& WholeNumber()
{
    static const QRegularExpression pattern(QStringLiteral("^[+-]?[0-9]{1,9}$"));
    return pattern;
}

std::optional<int> NumberIn(const QString& text)
{
    if (!WholeNumber().match(text).hasMatch())
        return std::nullopt;
    return text.toInt();
}

} // namespace

SpinEdit::SpinEdit(QWidget* parent) : QAbstractSpinBox(parent)
{
    // The text is the value: nothing of the base class interprets it.
    setKeyboardTracking(false);
    // As wide as its longest number, wherever it stands.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    lineEdit()->setText(QStringLiteral("0"));
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] { emit valueChanged(value()); });
}

int SpinEdit::value() const
{
    return NumberIn(text()).value_or(m_minimum);
}

void SpinEdit::setValue(int value)
{
    lineEdit()->setText(QString::number(clamped(value)));
}

void SpinEdit::setMinimum(int minimum)
{
    m_minimum = minimum;
    m_maximum = std::max(m_maximum, minimum);
    updateGeometry();
}

void SpinEdit::setMaximum(int maximum)
{
    m_maximum = maximum;
    m_minimum = std::min(m_minimum, maximum);
    updateGeometry();
}

bool SpinEdit::editorEnabled() const
{
    return !lineEdit()->isReadOnly();
}

void SpinEdit::setEditorEnabled(bool enabled)
{
    lineEdit()->setReadOnly(!enabled);
}

int SpinEdit::clamped(int value) const
{
    return std::clamp(value, m_minimum, m_maximum);
}

void SpinEdit::stepBy(int steps)
{
    const long long stepped = (long long)(value()) + (long long)(steps) * m_singleStep;
    setValue(int(std::clamp<long long>(stepped, m_minimum, m_maximum)));
    selectAll();
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const
{
    StepEnabled enabled = StepNone;
    if (value() < m_maximum)
        enabled |= StepUpEnabled;
    if (value() > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

QValidator::State SpinEdit::validate(QString& input, int&) const
{
    if (NumberIn(input))
        return QValidator::Acceptable;
    // Room to type a number: an empty box, a sign alone.
    if (input.isEmpty() || input == u"-" || input == u"+")
        return QValidator::Intermediate;
    return QValidator::Invalid;
}

void SpinEdit::focusOutEvent(QFocusEvent* event)
{
    // Show what counts: the clamped value, also for a text that is no number.
    const QString shown = QString::number(clamped(value()));
    if (text() != shown)
        lineEdit()->setText(shown);
    QAbstractSpinBox::focusOutEvent(event);
}

QSize SpinEdit::sizeHint() const
{
    ensurePolished();
    const QFontMetrics metrics = fontMetrics();
    const int widest = std::max(metrics.horizontalAdvance(QString::number(m_minimum)),
        metrics.horizontalAdvance(QString::number(m_maximum)));
    // A space after the text and room for the cursor, as Qt's own boxes keep.
    const QSize text(widest + metrics.horizontalAdvance(u' ') + 2, lineEdit()->sizeHint().height());
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

QSize SpinEdit::minimumSizeHint() const
{
    return sizeHint();
}
