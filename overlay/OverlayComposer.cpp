#include "overlay/OverlayComposer.h"

#include "overlay/SurfaceAxes.h"
#include "platform/raster/Raster.h"

#include <utility>

namespace {

constexpr int kFrameTransparency = 50;
// A changed region that nobody takes is kept simple by growing it to its
// bounding rectangle.
constexpr int kMostChangedRects = 16;

// The frame is a black outline of (0, 0)-(W, H) blended at 50 %; only its top
// row and left column fall on the surface, so only those are darkened, each
// pixel once.
void DrawFrame(QImage& image)
{
    const int alpha = BlendAlpha(kFrameTransparency);
    const auto darken = [&](int x, int y) { SetPixel(image, x, y, BlendColor(PixelAt(image, x, y), kBlack, alpha)); };
    for (int x = 0; x < image.width(); ++x)
        darken(x, 0);
    for (int y = 1; y < image.height(); ++y)
        darken(0, y);
}

// The pixels of an area of an image, without a copy.
QImage AreaOf(const QImage& image, const QRect& area)
{
    const QRect inside = area.intersected(image.rect());
    const uchar* first = image.constScanLine(inside.top()) + inside.left() * image.depth() / 8;
    return QImage(first, inside.width(), inside.height(), image.bytesPerLine(), image.format());
}

} // namespace

OverlayComposer::BackgroundKey OverlayComposer::KeyOf(const OverlayScene& scene)
{
    return { scene.Size, scene.PixelRatio, scene.Color, scene.FacePicture.cacheKey(), scene.ColorBand };
}

QImage OverlayComposer::ComposeBackground(const OverlayScene& scene)
{
    const QPoint topLeft((scene.Size.width() - scene.FacePicture.width()) / 2,
        (scene.Size.height() - scene.FacePicture.height()) / 2);
    // The panel colour shows only where the face picture leaves room.
    const bool faceCovers = QRect(topLeft, scene.FacePicture.size()).contains(QRect(QPoint(0, 0), scene.Size));
    QImage image = faceCovers ? NewRasterImage(scene.Size) : NewRasterImage(scene.Size, scene.Color);
    // Text is measured and drawn at the image's resolution; painting the
    // image on a scaled window copies its pixels one to one.
    if (scene.PixelRatio != 1) {
        image.setDotsPerMeterX(qRound(image.dotsPerMeterX() * scene.PixelRatio));
        image.setDotsPerMeterY(qRound(image.dotsPerMeterY() * scene.PixelRatio));
        image.setDevicePixelRatio(scene.PixelRatio);
    }
    if (!scene.FacePicture.isNull())
        DrawPicture(image, topLeft, scene.FacePicture);
    DrawFrame(image);
    scene.ColorBand.Draw(image, SurfaceAxes(scene.Size));
    return image;
}

QRegion OverlayComposer::DrawMovingLayers(QImage& image, const OverlayScene& scene, GlyphCanvas& canvas)
{
    const SurfaceAxes axes(scene.Size);
    const QRect marker = scene.srsSec.Draw(image, axes);
    const QRect label = scene.srsDigit.Draw(image, axes, canvas);
    return QRegion(marker.intersected(image.rect())).united(label.intersected(image.rect()));
}

QImage OverlayComposer::ComposeAll(const OverlayScene& scene)
{
    if (scene.Size.isEmpty())
        return {};
    QImage image = ComposeBackground(scene);
    GlyphCanvas canvas;
    DrawMovingLayers(image, scene, canvas);
    return image;
}

const QImage& OverlayComposer::Compose(const OverlayScene& scene)
{
    if (scene.Size.isEmpty()) {
        *this = OverlayComposer();
        return m_result;
    }
    const BackgroundKey key = KeyOf(scene);
    if (key != m_backgroundKey) {
        m_background = ComposeBackground(scene);
        m_backgroundKey = key;
        m_result = m_background.copy();
        m_changed = QRegion(m_result.rect());
    } else if (scene.srsSec == m_marker && scene.srsDigit == m_label) {
        return m_result;
    } else {
        for (const QRect& rect : m_movingLayers)
            DrawPicture(m_result, rect.topLeft(), AreaOf(m_background, rect));
        m_changed += m_movingLayers;
    }
    m_movingLayers = DrawMovingLayers(m_result, scene, m_glyphCanvas);
    m_changed += m_movingLayers;
    if (m_changed.rectCount() > kMostChangedRects)
        m_changed = m_changed.boundingRect();
    m_marker = scene.srsSec;
    m_label = scene.srsDigit;
    return m_result;
}

QRegion OverlayComposer::TakeChangedRegion()
{
    return std::exchange(m_changed, QRegion());
}
