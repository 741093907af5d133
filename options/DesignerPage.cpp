#include "options/DesignerPage.h"

#include "platform/dialogs/Dialogs.h"
#include "skins/LiveSkin.h"
#include "widgets/ColorButton.h"
#include "widgets/RadioGroup.h"
#include "widgets/RequiredChild.h"
#include "widgets/SpinEdit.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QRadioButton>
#include <QScopedValueRollback>

#include <algorithm>

DesignerPage::DesignerPage(QWidget& page, LiveSkin& liveSkin)
    : QObject(&page)
    , m_page(page)
    , m_liveSkin(liveSkin)
{
    bindRows();
    m_innerEdgeFormMaximum = control<SpinEdit>("seInnerEdge").maximum();
    m_outerEdgeFormMinimum = control<SpinEdit>("seOuterEdge").minimum();
    connectControls();
    connect(&m_liveSkin, &LiveSkin::changed, this, &DesignerPage::onSkinChanged);
}

template <typename Control>
Control& DesignerPage::control(const char* name) const
{
    return RequiredChild<Control>(m_page, name);
}

void DesignerPage::bindRows()
{
    for (const DesignerRow& row : DesignerRowsInStoreOrder())
        m_rows.push_back({ row, &control<QWidget>(row.control) });
}

void DesignerPage::connectControls()
{
    // The controls share one change handler; the band boundaries and the
    // shape have their own.
    auto& innerEdge = control<SpinEdit>("seInnerEdge");
    auto& outerEdge = control<SpinEdit>("seOuterEdge");
    for (const BoundRow& bound : m_rows) {
        QWidget* const widget = bound.control;
        if (auto* button = qobject_cast<ColorButton*>(widget))
            connect(button, &QPushButton::clicked, this, [this, button] { onControlChanged(button); });
        else if (auto* list = qobject_cast<QComboBox*>(widget))
            connect(list, &QComboBox::currentIndexChanged, this, [this] { onControlChanged(nullptr); });
        else if (widget == &innerEdge)
            connect(&innerEdge, &SpinEdit::valueChanged, this, &DesignerPage::onInnerEdgeChanged);
        else if (widget == &outerEdge)
            connect(&outerEdge, &SpinEdit::valueChanged, this, &DesignerPage::onOuterEdgeChanged);
        else if (auto* box = qobject_cast<SpinEdit*>(widget))
            connect(box, &SpinEdit::valueChanged, this, [this] { onControlChanged(nullptr); });
    }
    for (QRadioButton* shape : control<QGroupBox>("rgShape").findChildren<QRadioButton*>())
        connect(shape, &QRadioButton::clicked, this, [this] {
            storeControls();
            emit shapeChosen();
        });
}

void DesignerPage::showSkin()
{
    const QScopedValueRollback filling(m_filling, true);
    const Skin& skin = m_liveSkin.skin();
    // The band boundaries bound each other as they are filled; the bounds
    // the last skin left would show this skin's boundaries clamped.
    control<SpinEdit>("seInnerEdge").setMaximum(m_innerEdgeFormMaximum);
    control<SpinEdit>("seOuterEdge").setMinimum(m_outerEdgeFormMinimum);
    for (const char* name : DesignerFillOrder()) {
        const auto bound = std::find_if(m_rows.begin(), m_rows.end(),
            [name](const BoundRow& candidate) { return qstrcmp(candidate.row.control, name) == 0; });
        const DesignerRow& row = bound->row;
        switch (row.kind) {
        case DesignerKind::Colour: {
            auto& button = static_cast<ColorButton&>(*bound->control);
            button.Tag = skin.*row.colour;
            PaintColorButton(button);
            break;
        }
        case DesignerKind::Number:
        case DesignerKind::Size:
            static_cast<SpinEdit&>(*bound->control).setValue(skin.*row.number);
            // Also when the box already showed the value and so reports no
            // change.
            if (qstrcmp(name, "seInnerEdge") == 0)
                boundOuterEdge();
            else if (qstrcmp(name, "seOuterEdge") == 0)
                boundInnerEdge();
            break;
        case DesignerKind::ItemIndex: {
            auto& list = static_cast<QComboBox&>(*bound->control);
            const int index = skin.*row.number;
            list.setCurrentIndex(index >= 0 && index < list.count() ? index : -1);
            break;
        }
        case DesignerKind::Shape:
            SetRadioGroupItemIndex(static_cast<QGroupBox*>(bound->control), ShapeIndex(skin));
            break;
        case DesignerKind::Transparency:
            static_cast<SpinEdit&>(*bound->control).setValue(skin.Transparency);
            break;
        case DesignerKind::Font:
            selectFont(skin.DigFont.text());
            break;
        }
    }
}

void DesignerPage::storeControls()
{
    if (m_filling)
        return;
    Skin skin = m_liveSkin.skin();
    for (const BoundRow& bound : m_rows) {
        const DesignerRow& row = bound.row;
        switch (row.kind) {
        case DesignerKind::Colour:
            skin.*row.colour = static_cast<const ColorButton&>(*bound.control).Tag;
            break;
        case DesignerKind::Number:
            skin.*row.number = static_cast<const SpinEdit&>(*bound.control).value();
            break;
        case DesignerKind::Size: {
            const auto& box = static_cast<const SpinEdit&>(*bound.control);
            skin.*row.number = box.clamped(box.value());
            break;
        }
        case DesignerKind::ItemIndex:
            skin.*row.number = static_cast<const QComboBox&>(*bound.control).currentIndex();
            break;
        case DesignerKind::Shape:
            StoreShapeIndex(skin, RadioGroupItemIndex(static_cast<const QGroupBox*>(bound.control)));
            break;
        case DesignerKind::Transparency:
            skin.Transparency = StoredTransparency(static_cast<const SpinEdit&>(*bound.control).value());
            break;
        case DesignerKind::Font:
            skin.DigFont.setText(static_cast<const QComboBox&>(*bound.control).currentText());
            break;
        }
    }
    const QScopedValueRollback storing(m_storing, true);
    m_liveSkin.edit(skin);
}

void DesignerPage::onSkinChanged()
{
    if (!m_storing)
        showSkin();
}

void DesignerPage::selectFont(const QString& font)
{
    auto& fonts = control<QComboBox>("cbFontNames");
    // The skin's font, else "Arial"; with neither, the selection stays.
    int index = fonts.findText(font, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        index = fonts.findText(QStringLiteral("Arial"), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        fonts.setCurrentIndex(index);
}

void DesignerPage::fillFontNames()
{
    const QScopedValueRollback filling(m_filling, true);
    QStringList families;
    // A skin names its font in a field of its own size: a family whose name
    // does not fit there is not offered, rather than stored cut.
    for (const QString& family : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(family) && decltype(Skin::DigFont)::fits(family))
            families << family;
    auto& fonts = control<QComboBox>("cbFontNames");
    fonts.clear();
    fonts.addItems(ScreenFontNames(families));
    // A list filled anew has no selection until the skin's font is chosen.
    fonts.setCurrentIndex(-1);
}

void DesignerPage::onControlChanged(QObject* sender)
{
    if (m_filling)
        return;
    if (auto* button = qobject_cast<ColorButton*>(sender)) {
        if (const auto chosen = ChooseColor(button->Tag))
            button->Tag = *chosen;
        PaintColorButton(*button);
    }
    storeControls();
}

void DesignerPage::onInnerEdgeChanged()
{
    onControlChanged(nullptr);
    boundOuterEdge();
}

void DesignerPage::onOuterEdgeChanged()
{
    onControlChanged(nullptr);
    boundInnerEdge();
}

void DesignerPage::boundOuterEdge()
{
    control<SpinEdit>("seOuterEdge").setMinimum(control<SpinEdit>("seInnerEdge").value() - 1);
}

void DesignerPage::boundInnerEdge()
{
    control<SpinEdit>("seInnerEdge").setMaximum(control<SpinEdit>("seOuterEdge").value() + 1);
}
