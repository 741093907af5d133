#pragma once

#include <QSize>

// The overlay surface's fixed coordinate system: x runs from -100 at the left
// edge to 100 at the right edge, y from -100 at the bottom edge to 100 at the
// top edge, whatever the surface's size in pixels.
class SurfaceAxes {
public:
    explicit SurfaceAxes(QSize size);

    QSize size() const { return m_size; }

    // round((x + 100) * W / 200): x = -100 is column 0, x = 100 column W.
    int Column(double x) const;
    // round(H - (y + 100) * H / 200): y = 100 is row 0, y = -100 row H.
    int Row(double y) const;
    // A marker's half-size in pixels: round(radius * H / 200), the product in
    // extended precision, so that an exact half in decimal rounds the way the
    // binary scale makes it fall (H = 60, radius 5 -> 1); 0 for radius <= 0.
    // The vertical scale serves both directions, so markers stay round.
    int HalfSize(double radius) const;

private:
    QSize m_size;
    double m_scaleX;
    double m_scaleY;
};
