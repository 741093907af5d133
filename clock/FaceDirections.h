#pragma once

#include <QSize>

#include <cstdint>
#include <vector>

// The directions of the pixels of a face from its centre, kept for the
// quarter below and right of the centre (dx >= 0, dy >= 0): the other three
// quarters mirror it. Entry (row, column) is the pixel at
// |dy| = row + RowOffset(), |dx| = column + ColumnOffset() (the offsets are
// one half for an odd side, where the centre lies between two pixels), and
// holds atan2(|dy|, |dx|) in milliradians in fixed point, within kMaxError
// steps. The pixel straight below the centre has pi / 2, the centre itself
// -pi / 2, as the face defines them.
//
// At 1000 x 1000 pixels the table takes 1 MB; the angles of one eighth are
// computed, the rest mirrored across the diagonal.
class FaceDirections {
public:
    static constexpr int kStepsPerMilliradian = 1 << 18;
    static constexpr double kMaxError = 1.1;

    // Makes the table for a face of this size, unless it already is.
    void Prepare(QSize size);

    int Columns() const { return m_columns; }
    double ColumnOffset() const { return m_columnOffset; }
    double RowOffset() const { return m_rowOffset; }
    const std::int32_t* Row(int row) const { return m_angles.data() + std::size_t(row) * std::size_t(m_columns); }

private:
    void ComputeRow(int row);

    QSize m_size;
    int m_columns = 0;
    int m_rows = 0;
    double m_columnOffset = 0;
    double m_rowOffset = 0;
    std::vector<std::int32_t> m_angles;
};
