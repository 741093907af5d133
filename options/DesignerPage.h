#pragma once

#include "options/DesignerFields.h"

#include <QObject>
#include <QString>

#include <vector>

class LiveSkin;
class QWidget;

// The "Skin Design" page: the designer's controls bound to the live skin by
// the table of DesignerFields. Every change of a control is an edit of the
// live skin, which the clock shows at once; a change of the live skin made
// elsewhere (a skin loaded, the clock's size keys) shows in the controls.
class DesignerPage : public QObject {
    Q_OBJECT

public:
    // page holds the designer's controls, found by their object names.
    DesignerPage(QWidget& page, LiveSkin& liveSkin);

    // Fills the controls from the live skin.
    void showSkin();
    // Stores every control into the live skin.
    void storeControls();
    // The installed screen fonts, sorted, none selected.
    void fillFontNames();

signals:
    // A shape was chosen (after it is stored).
    void shapeChosen();

private:
    struct BoundRow {
        const DesignerRow& row;
        QWidget* control;
    };

    void bindRows();
    void connectControls();
    // A control changed; a colour button as sender first lets the user
    // choose its colour.
    void onControlChanged(QObject* sender);
    void onInnerEdgeChanged();
    void onOuterEdgeChanged();
    // The band boundaries can cross by one at most: each box bounds the
    // other.
    void boundOuterEdge();
    void boundInnerEdge();
    void selectFont(const QString& font);
    void onSkinChanged();
    template <typename Control>
    Control& control(const char* name) const;

    QWidget& m_page;
    LiveSkin& m_liveSkin;
    std::vector<BoundRow> m_rows;
    // The controls are being filled: their changes are not the user's.
    bool m_filling = false;
    // The page is storing its controls: the live skin's notice is its own.
    bool m_storing = false;
    int m_innerEdgeFormMaximum = 0;
    int m_outerEdgeFormMinimum = 0;
};
