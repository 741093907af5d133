// Every shipped skin's readout reads well at the skin's own size: its digits
// at least 14 pixels high on a 96 dpi desktop, and its text against its box
// at a contrast ratio of at least 4.5:1 (the usual accessibility figure).
#include "clock/ClockTick.h"
#include "overlay/ReadoutLabel.h"
#include "platform/raster/Color.h"
#include "skins/SkinFile.h"

#include <QDir>
#include <QFontMetricsF>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kPixelsPerInch = 96;
constexpr double kLeastDigitHeight = 14;
constexpr double kLeastContrast = 4.5;

// The relative luminance of a colour, as the accessibility guidelines
// define it.
double Luminance(TColor colour)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(RedOf(colour)) + 0.7152 * channel(GreenOf(colour)) + 0.0722 * channel(BlueOf(colour));
}

double Contrast(TColor a, TColor b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

TEST(ShippedSkins, ReadoutsReadWell)
{
    const QString folder = QStringLiteral(VELLAMOR_PROGRAM_FOLDER) + u'/';
    const QStringList skins = QDir(folder).entryList({ QStringLiteral("*.clk") }, QDir::Files, QDir::Name);
    ASSERT_EQ(skins.size(), 14);
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(int(std::lround(kPixelsPerInch / 0.0254)));
    device.setDotsPerMeterY(int(std::lround(kPixelsPerInch / 0.0254)));
    for (const QString& file : skins) {
        Skin skin;
        ASSERT_TRUE(ReadSkinFile(folder + file, skin, { false, 0, folder }));
        if (skin.DigPosition == 0)
            continue; // no readout
        ReadoutLabel readout;
        ClockTick::SetUpReadout(readout, skin, skin.ClockSize, kPixelsPerInch);
        const double digits = QFontMetricsF(readout.Font(), &device).tightBoundingRect(QStringLiteral("0123456789")).height();
        EXPECT_GE(digits, kLeastDigitHeight) << file.toStdString() << " at " << skin.ClockSize << " px";
        EXPECT_GE(Contrast(readout.FontColor, readout.FillColor), kLeastContrast) << file.toStdString();
    }
}
