#include "overlay/ReadoutLabel.h"

#include "overlay/SurfaceAxes.h"
#include "platform/Raster.h"

#include <QFontMetrics>
#include <QPainter>

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
// same font's, so the last answer is kept (labels are drawn on one thread).
QSize RoomLetterSize(const TReadoutLabel& label, int dotsPerInch, const QFontMetrics& metrics)
{
    struct Measured {
        QString fontName;
        int fontSize;
        int dotsPerInch;
        QSize size;
    };
    static std::optional<Measured> last;
    if (!last || last->fontName != label.FontName || last->fontSize != label.FontSize || last->dotsPerInch != dotsPerInch) {
        const QSize size(metrics.horizontalAdvance(RoomLetter()), metrics.size(Qt::TextSingleLine, RoomLetter()).height());
        last = Measured { label.FontName, label.FontSize, dotsPerInch, size };
    }
    return last->size;
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

TReadoutLabel::Layout TReadoutLabel::Arrange(const SurfaceAxes& axes, const QFontMetrics& metrics, QSize roomLetter) const
{
    const int textWidth = metrics.horizontalAdvance(Text);
    const int width = textWidth + roomLetter.width() + 2;
    const int height = roomLetter.height() + 2;
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
    const Layout layout = Arrange(axes, metrics, RoomLetterSize(*this, image.logicalDpiY(), metrics));
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
