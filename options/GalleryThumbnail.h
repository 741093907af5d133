#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

// A thumbnail of the skin gallery: a snapshot stretched to fill the
// thumbnail's square, its file name as the tool tip; a left click on it
// emits clicked.
class GalleryThumbnail : public QWidget {
    Q_OBJECT

public:
    GalleryThumbnail(const QImage& snapshot, const QString& fileName, int side, QWidget* parent);

    // The snapshot's file name, with its extension ("Ocean.jpg").
    QString fileName() const { return toolTip(); }
    // What the thumbnail shows, side x side.
    const QPixmap& picture() const { return m_picture; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
};
