#pragma once

#include "skins/Skin.h"

#include <QPoint>
#include <QSize>

// The measures of a face of a given size, in pixels: centre, the two band
// edges and the inscribed radius. Circular faces use circles, the square and
// rounded shapes squares of the same half sides.
struct FaceGeometry {
    double cx;        // W / 2
    double cy;        // H / 2
    double outerEdge; // OuterEdge percent of half the width
    double innerEdge; // InnerEdge percent of half the height
    double inscribed; // min(cx, cy)
    bool square;

    static FaceGeometry Of(QSize size, const Skin& skin);
};

// Milliradians in a full turn: the length of a band's colour gradient.
inline constexpr int kTurnLength = 6283;

// The pixel at distance r and bitmap angle theta from the centre (theta grows
// clockwise from 3 o'clock): on the circle of radius r for a circular face,
// on the square of half side r for the square shapes.
QPoint FacePoint(const FaceGeometry& face, long double r, long double theta);
