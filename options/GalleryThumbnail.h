#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

// A thumbnail of the skin gallery: a snapshot stretched to fill the
// thumbnail's square, the skin's name in a line under it, the snapshot's
// file name as the tool tip. The skin in effect is framed. A left click, or
// Enter or Space while it has the keyboard focus, emits clicked; the arrow
// keys ask for the focus to move to a neighbour.
class GalleryThumbnail : public QWidget {
    Q_OBJECT

public:
    GalleryThumbnail(const QImage& snapshot, const QString& fileName, const QString& skinName, int side, QWidget* parent);

    // The snapshot's file name, with its extension ("Ocean.jpg").
    QString fileName() const { return toolTip(); }
    // What the thumbnail shows, side x side.
    const QPixmap& picture() const { return m_picture; }
    const QString& skinName() const { return m_skinName; }

    // Whether its skin is the one in effect: framed.
    void setCurrent(bool current);
    bool isCurrent() const { return m_current; }

signals:
    void clicked();
    // An arrow key: the focus is to move by columns and rows.
    void stepFocus(int columns, int rows);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QPixmap m_picture;
    QString m_skinName;
    bool m_current = false;
};
