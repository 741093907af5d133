#pragma once

#include <QWidget>

// The drawing surface that fills the clock window (Chart1). Its Tag is the
// tick state of the clock: -1 before the first tick, -2 when a full refresh is
// requested, otherwise the minute whose face it shows.
class TOverlaySurface : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMinimumSide = 50;

    explicit TOverlaySurface(QWidget* parent);

    int Tag = -1;
};
