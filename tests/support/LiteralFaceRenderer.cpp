#include "tests/support/LiteralFaceRenderer.h"

#include "clock/ClockAngles.h"
#include "clock/FaceColors.h"
#include "clock/FaceGeometry.h"
#include "platform/raster/Raster.h"

#include <cmath>

namespace {

long double Round(long double value)
{
    return std::nearbyintl(value);
}

} // namespace

void DrawFaceLiterally(QImage& bitmap, const Skin& skin, double hourAngle, double minuteAngle)
{
    const long double pi = kPiExtended;

    // 1. 24 bits per pixel; the derived values.
    bitmap = QImage(bitmap.size(), kRasterFormat);
    const int W = bitmap.width();
    const int H = bitmap.height();
    const double cx = W / 2.0;
    const double cy = H / 2.0;
    const double Ro = skin.OuterEdge * cx / 100;
    const double Ri = skin.InnerEdge * cy / 100;
    const double Rh = std::min(cx, cy);
    const FaceGeometry face { cx, cy, Ro, Ri, Rh, bool(skin.Square) };

    // 2. The background is the tics band colour.
    FillRect(bitmap, QRect(0, 0, W, H), ResolveSystemColor(skin.TicsBandColor));

    // 3. Twelve tics from the centre; the 12 o'clock one two pixels wider.
    for (int i = -5; i <= 6; ++i) {
        const QPoint from(int(Round(cx)), int(Round(cy)));
        const int penWidth = i == -3 ? skin.TicsWidth + 2 : skin.TicsWidth;
        DrawLine(bitmap, from, FacePoint(face, Ro + 2, i * pi / 6), ResolveSystemColor(skin.TicsColor), penWidth);
    }

    // 4. The bands, pixel by pixel, column by column.
    for (int x = 0; x < W; ++x) {
        for (int y = 0; y < H; ++y) {
            const double dx = x - cx;
            const double dy = y - cy;
            const double d2 = dx * dx + dy * dy;
            if (!skin.Square && (d2 > Rh * Rh || (d2 > Ro * Ro && d2 < Ri * Ri)))
                continue;
            long double w;
            if (dx == 0)
                w = dy > 0 ? pi / 2 : -pi / 2;
            else
                w = std::atan2(static_cast<long double>(dy), static_cast<long double>(dx));
            const double hourSum = double(w + hourAngle + pi);
            const double minuteSum = double(w + minuteAngle + pi);
            const int ph = int(static_cast<long long>(Round(hourSum * 1000)) % 6283);
            const int pm = int(static_cast<long long>(Round(minuteSum * 1000)) % 6283);
            const bool inHours = skin.Square ? std::fabs(dx) < Ri && std::fabs(dy) < Ri : d2 < Ri * Ri;
            const bool inMinutes = skin.Square ? std::fabs(dx) > Ro || std::fabs(dy) > Ro : d2 > Ro * Ro;
            if (inHours)
                SetPixel(bitmap, x, y, GradientColor(skin.HourFirstColor, skin.HourLastColor, 6283, ph, skin.HourMiddlePos));
            if (inMinutes)
                SetPixel(bitmap, x, y, GradientColor(skin.MinFirstColor, skin.MinLastColor, 6283, pm, skin.MinMiddlePos));
        }
    }

    // 5. The hour hand, from the centre to the inner band edge.
    DrawLine(bitmap, QPoint(int(Round(cx)), int(Round(cy))), FacePoint(face, Ri, pi - hourAngle),
        GradientColor(skin.HourFirstColor, skin.HourLastColor, 6283, 3142, skin.HourMiddlePos), 1);

    // 6. The minute hand, from the outer band edge to the bitmap's edge.
    DrawLine(bitmap, FacePoint(face, Ro, pi - minuteAngle), FacePoint(face, (cx + cy) / 2, pi - minuteAngle),
        GradientColor(skin.MinFirstColor, skin.MinLastColor, 6283, 3142, skin.MinMiddlePos), 1);
}
