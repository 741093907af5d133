#pragma once

#include <QColor>
#include <QRgb>

#include <cstdint>

// A colour laid out $00BBGGRR: red in the lowest byte, as stored in skins
// and alarms. Qt's QRgb is laid out $AARRGGBB; convert at the boundary.
using TColor = std::uint32_t;

constexpr int RedOf(TColor colour) { return int(colour & 0xFF); }
constexpr int GreenOf(TColor colour) { return int((colour >> 8) & 0xFF); }
constexpr int BlueOf(TColor colour) { return int((colour >> 16) & 0xFF); }

// Each channel 0..255.
constexpr TColor MakeColor(int red, int green, int blue)
{
    return TColor(red & 0xFF) | TColor(green & 0xFF) << 8 | TColor(blue & 0xFF) << 16;
}

inline constexpr TColor kBlack = MakeColor(0, 0, 0);
inline constexpr TColor kWhite = MakeColor(255, 255, 255);
inline constexpr TColor kSilver = MakeColor(0xC0, 0xC0, 0xC0);
inline constexpr TColor kLime = MakeColor(0, 255, 0);
inline constexpr TColor kOlive = MakeColor(0x80, 0x80, 0);

// Opaque, whatever the top byte of the colour holds.
constexpr QRgb ToQRgb(TColor colour) { return qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour)); }
inline QColor ToQColor(TColor colour) { return QColor(ToQRgb(colour)); }

// The alpha of the Qt colour is dropped.
constexpr TColor FromQRgb(QRgb rgb) { return MakeColor(qRed(rgb), qGreen(rgb), qBlue(rgb)); }
inline TColor FromQColor(const QColor& colour) { return FromQRgb(colour.rgb()); }
