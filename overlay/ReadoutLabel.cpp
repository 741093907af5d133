#include "overlay/ReadoutLabel.h"

#include "overlay/SurfaceAxes.h"
#include "platform/Raster.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// Room kept around the text's ink for glyph smoothing.
constexpr int kInkMargin = 2;

const QString& RoomLetter()
{
    static const QString letter = QStringLiteral("W");
    return letter;
}

} // namespace

QFont TReadoutLabel::Font() const
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

TReadoutLabel::Layout TReadoutLabel::Arrange(const SurfaceAxes& axes, const QFontMetrics& metrics) const
{
    const int textWidth = metrics.horizontalAdvance(Text);
    const int width = textWidth + metrics.horizontalAdvance(RoomLetter()) + 2;
    const int height = metrics.size(Qt::TextSingleLine, RoomLetter()).height() + 2;
    const int left = axes.Column(X) - width / 2;
    const int top = axes.Row(Y) - height + 1 - Offset;
    const int textCentre = (left + 2 + left + width) / 2;
    return { QRect(left, top, width, height), QPoint(textCentre - textWidth / 2, top + 1) };
}

QRect TReadoutLabel::Draw(QImage& image, const SurfaceAxes& axes) const
{
    if (!Active)
        return {};
    const QFont font = Font();
    const QFontMetrics metrics(font, &image);
    const Layout layout = Arrange(axes, metrics);
    const QSize corner = RoundCorners ? QSize(kCornerSize, kCornerSize) : QSize();
    DrawRoundRect(image, layout.box, corner, FrameColor, FillColor);

    const QPoint baseline = layout.textTopLeft + QPoint(0, metrics.ascent());
    const QRect ink = metrics.boundingRect(Text).translated(baseline).adjusted(-kInkMargin, -kInkMargin, kInkMargin, kInkMargin);
    DrawTextAsOn24Bits(image, ink, baseline, font);
    return layout.box.united(ink);
}

void TReadoutLabel::DrawTextAsOn24Bits(QImage& image, const QRect& ink, QPoint baseline, const QFont& font) const
{
    const QRect area = ink.intersected(image.rect());
    if (area.isEmpty())
        return;
    QImage scratch = image.copy(area).convertToFormat(QImage::Format_RGB888);
    QPainter painter(&scratch);
    painter.setFont(font);
    painter.setPen(ToQColor(FontColor));
    painter.drawText(baseline - area.topLeft(), Text);
    painter.end();
    DrawPicture(image, area.topLeft(), scratch);
}
