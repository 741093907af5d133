#include "overlay/GlyphCanvas.h"

#include "platform/raster/Raster.h"

#include <QPainter>

#include <new>

namespace {

constexpr int kCanvasBytesPerPixel = 3;

} // namespace

void GlyphCanvas::Draw(QImage& image, const QRect& area, QPointF origin, const QList<QGlyphRun>& runs, TColor colour)
{
    const QRect inside = area.intersected(image.rect());
    if (inside.isEmpty() || image.format() != kRasterFormat)
        return;
    if (m_canvas.width() < inside.width() || m_canvas.height() < inside.height()) {
        m_canvas = QImage(inside.size().expandedTo(m_canvas.size()), QImage::Format_RGB888);
        if (m_canvas.isNull())
            throw std::bad_alloc();
    }

    for (int y = 0; y < inside.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(inside.top() + y)) + inside.left();
        uchar* to = m_canvas.scanLine(y);
        for (int x = 0; x < inside.width(); ++x, to += kCanvasBytesPerPixel) {
            to[0] = uchar(qRed(from[x]));
            to[1] = uchar(qGreen(from[x]));
            to[2] = uchar(qBlue(from[x]));
        }
    }
    QPainter painter(&m_canvas);
    painter.setPen(ToQColor(colour));
    for (const QGlyphRun& run : runs)
        painter.drawGlyphRun(origin - inside.topLeft(), run);
    painter.end();
    for (int y = 0; y < inside.height(); ++y) {
        const uchar* from = m_canvas.constScanLine(y);
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(inside.top() + y)) + inside.left();
        for (int x = 0; x < inside.width(); ++x, from += kCanvasBytesPerPixel)
            to[x] = qRgb(from[0], from[1], from[2]);
    }
}
