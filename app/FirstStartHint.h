#pragma once

#include <QLabel>

// The hint the clock gives at its first starts: how to move it, open its
// options and hide it, in a small frameless window beside the clock and
// above it. A click closes it for good.
class FirstStartHint : public QLabel {
    Q_OBJECT

public:
    explicit FirstStartHint(QWidget& clock);

    // Beside the clock: under it where the work area has room, else above.
    void placeBeside(const QRect& clock, const QRect& workArea);

signals:
    // The user clicked the hint away.
    void dismissed();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
