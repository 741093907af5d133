#include "options/GalleryThumbnail.h"

#include <QMouseEvent>
#include <QPainter>

GalleryThumbnail::GalleryThumbnail(const QImage& snapshot, const QString& fileName, int side, QWidget* parent)
    : QWidget(parent)
    // Scaled once here, so that scrolling only copies pixels.
    , m_picture(QPixmap::fromImage(snapshot.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)))
{
    setFixedSize(side, side);
    setToolTip(fileName);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GalleryThumbnail::paintEvent(QPaintEvent* event)
{
    QPainter(this).drawPixmap(event->rect(), m_picture, event->rect());
}

void GalleryThumbnail::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
