#include "options/GalleryThumbnail.h"

#include "skins/SkinList.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kCurrentFrameWidth = 4;
const QColor kCurrentFrameColour(255, 204, 0);
const QColor kNameColour(Qt::white);

} // namespace

GalleryThumbnail::GalleryThumbnail(const QImage& snapshot, const QString& fileName, const QString& skinName, int side,
    QWidget* parent)
    : QWidget(parent)
    // Scaled once here, so that scrolling only copies pixels.
    , m_picture(QPixmap::fromImage(snapshot.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)))
    , m_skinName(skinName)
{
    setFixedSize(side, side + kThumbNameHeight);
    setToolTip(fileName);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(skinName);
}

void GalleryThumbnail::setCurrent(bool current)
{
    m_current = current;
    update();
}

void GalleryThumbnail::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    const QRect nameLine(0, m_picture.height(), width(), kThumbNameHeight);
    QFont font = painter.font();
    font.setBold(m_current);
    painter.setFont(font);
    painter.setPen(kNameColour);
    painter.drawText(nameLine, Qt::AlignCenter, painter.fontMetrics().elidedText(m_skinName, Qt::ElideRight, width()));
    if (m_current) {
        QPen frame(kCurrentFrameColour, kCurrentFrameWidth);
        frame.setJoinStyle(Qt::MiterJoin);
        painter.setPen(frame);
        painter.drawRect(QRectF(m_picture.rect()).adjusted(kCurrentFrameWidth / 2.0, kCurrentFrameWidth / 2.0,
            -kCurrentFrameWidth / 2.0, -kCurrentFrameWidth / 2.0));
    }
    if (hasFocus()) {
        painter.setPen(QPen(kNameColour, 1, Qt::DashLine));
        painter.drawRect(nameLine.adjusted(0, 0, -1, -1));
    }
}

void GalleryThumbnail::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void GalleryThumbnail::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit clicked();
        return;
    case Qt::Key_Left:
        emit stepFocus(-1, 0);
        return;
    case Qt::Key_Right:
        emit stepFocus(1, 0);
        return;
    case Qt::Key_Up:
        emit stepFocus(0, -1);
        return;
    case Qt::Key_Down:
        emit stepFocus(0, 1);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void GalleryThumbnail::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void GalleryThumbnail::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}
