#include "widgets/ElidedButton.h"

#include <QStyle>
#include <QStyleOptionButton>

namespace {

// The width a button asks for, in average characters of its font.
constexpr int kHintCharacters = 12;
constexpr int kMinimumCharacters = 4;

} // namespace

ElidedButton::ElidedButton(QWidget* parent) : QPushButton(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ElidedButton::setCaption(const QString& caption)
{
    m_caption = caption;
    ShowCaption();
}

QSize ElidedButton::sizeHint() const
{
    return SizeForCharacters(kHintCharacters);
}

QSize ElidedButton::minimumSizeHint() const
{
    return SizeForCharacters(kMinimumCharacters);
}

QSize ElidedButton::SizeForCharacters(int characters) const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QSize content(iconSize().width() + fontMetrics().averageCharWidth() * characters,
        qMax(iconSize().height(), fontMetrics().height()));
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, content, this);
}

void ElidedButton::resizeEvent(QResizeEvent* event)
{
    QPushButton::resizeEvent(event);
    ShowCaption();
}

void ElidedButton::ShowCaption()
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    // The icon and the gap the style leaves beside it.
    const int iconRoom = icon().isNull() ? 0 : iconSize().width() + fontMetrics().averageCharWidth();
    setText(fontMetrics().elidedText(m_caption, Qt::ElideMiddle, qMax(0, contents.width() - iconRoom)));
}
