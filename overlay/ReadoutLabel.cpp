#include "overlay/ReadoutLabel.h"

#include "overlay/GlyphCanvas.h"
#include "overlay/SurfaceAxes.h"
#include "platform/raster/Raster.h"

#include <QFontMetrics>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <optional>

namespace {

// Room kept around the text's ink for glyph smoothing.
constexpr int kInkMargin = 2;

const QString& RoomLetter()
{
    static const QString letter = QStringLiteral("W");
    return letter;
}

// TW("W") and TH of a label's font at a resolution. Every tick asks for the
// same font's, so the canvas keeps the last answer.
QSize RoomLetterSize(const ReadoutLabel& label, int dotsPerInch, const QFontMetrics& metrics, GlyphCanvas& canvas)
{
    std::optional<GlyphCanvas::MeasuredLetter>& last = canvas.lastLetter;
    if (!last || last->fontName != label.FontName || last->fontSize != label.FontSize || last->dotsPerInch != dotsPerInch) {
        const QSize size(metrics.horizontalAdvance(RoomLetter()), metrics.size(Qt::TextSingleLine, RoomLetter()).height());
        last = GlyphCanvas::MeasuredLetter { label.FontName, label.FontSize, dotsPerInch, size };
    }
    return last->size;
}

// A text shaped once, for all that the readout needs of it.
struct ShapedText {
    int advance = 0; // TW(text): the width QFontMetrics::horizontalAdvance gives
    // Every pixel the glyphs may cover, relative to the start of the
    // baseline: their outlines, and the line from ascent to descent.
    QRect ink;
    QList<QGlyphRun> glyphs; // positions relative to the line's top left
    qreal ascent = 0;
};

ShapedText Shape(const QString& text, const QFont& font, QPaintDevice* device)
{
    QTextLayout layout(text, font, device);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    ShapedText shaped;
    shaped.advance = qRound(line.horizontalAdvance());
    shaped.glyphs = layout.glyphRuns();
    shaped.ascent = line.ascent();
    QRectF outlines;
    for (const QGlyphRun& run : std::as_const(shaped.glyphs)) {
        const QRawFont font = run.rawFont();
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size(); ++i)
            outlines |= font.boundingRect(indexes[i]).translated(positions[i]);
    }
    const QRectF lineBox(outlines.left(), 0, outlines.width(), line.ascent() + line.descent());
    shaped.ink = (outlines | lineBox).translated(0, -line.ascent()).toAlignedRect();
    return shaped;
}

} // namespace

QFont ReadoutLabel::Font() const
{
    QFont font;
    if (!FontName.isEmpty())
        font.setFamily(FontName);
    if (FontSize > 0)
        font.setPointSize(std::min(FontSize, kLargestFontSize));
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

ReadoutLabel::Layout ReadoutLabel::Arrange(const SurfaceAxes& axes, int textWidth, QSize roomLetter) const
{
    const int width = textWidth + roomLetter.width() + 2;
    const int height = roomLetter.height() + 2;
    const int left = axes.Column(X) - width / 2;
    const int top = axes.Row(Y) - height + 1 - Offset;
    const int textCentre = (left + 2 + left + width) / 2;
    return { QRect(left, top, width, height), QPoint(textCentre - textWidth / 2, top + 1) };
}

QRect ReadoutLabel::Draw(QImage& image, const SurfaceAxes& axes) const
{
    GlyphCanvas canvas;
    return Draw(image, axes, canvas);
}

QRect ReadoutLabel::Draw(QImage& image, const SurfaceAxes& axes, GlyphCanvas& canvas) const
{
    if (!Active)
        return {};
    const QFont font = Font();
    const QFontMetrics metrics(font, &image);
    const ShapedText text = Shape(Text, font, &image);
    const Layout layout = Arrange(axes, text.advance, RoomLetterSize(*this, image.logicalDpiY(), metrics, canvas));
    const int cornerSide = qRound(kCornerSize * image.devicePixelRatio());
    const QSize corner = RoundCorners ? QSize(cornerSide, cornerSide) : QSize();
    DrawRoundRect(image, layout.box, corner, FrameColor, FillColor);

    const QPoint baseline = layout.textTopLeft + QPoint(0, metrics.ascent());
    const QRect ink = text.ink.translated(baseline).adjusted(-kInkMargin, -kInkMargin, kInkMargin, kInkMargin);
    canvas.Draw(image, ink, QPointF(baseline) - QPointF(0, text.ascent), text.glyphs, FontColor);
    return layout.box.united(ink);
}
