#include "clock/FaceDirections.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHalfPi = 1.57079632679489661923;
constexpr double kQuarterPi = 0.78539816339744830962;
constexpr double kTanEighthTurn = 0.41421356237309504880; // tan(pi / 8)
constexpr double kStepsPerRadian = 1000.0 * FaceDirections::kStepsPerMilliradian;
const std::int32_t kQuarterTurn = std::int32_t(kHalfPi * kStepsPerRadian + 0.5);

// atan(u) for |u| <= 0.4143 by its series up to u^23, within 1.1e-11.
inline double SmallArcTangent(double u)
{
    const double z = u * u;
    double sum = -1.0 / 23;
    sum = sum * z + 1.0 / 21;
    sum = sum * z - 1.0 / 19;
    sum = sum * z + 1.0 / 17;
    sum = sum * z - 1.0 / 15;
    sum = sum * z + 1.0 / 13;
    sum = sum * z - 1.0 / 11;
    sum = sum * z + 1.0 / 9;
    sum = sum * z - 1.0 / 7;
    sum = sum * z + 1.0 / 5;
    sum = sum * z - 1.0 / 3;
    sum = sum * z + 1.0;
    return u * sum;
}

// atan(minor / major) for a ratio within 0..tan(pi / 8), and for a ratio
// within tan(pi / 8)..1 through atan(t) = pi / 4 + atan((t - 1) / (t + 1)).
inline double FlatAngle(double minor, double major)
{
    return SmallArcTangent(minor / major);
}

inline double DiagonalAngle(double minor, double major)
{
    return kQuarterPi + SmallArcTangent((minor - major) / (minor + major));
}

// A non-negative angle in fixed point, rounded to the nearest step.
inline std::int32_t Steps(double radians)
{
    return std::int32_t(radians * kStepsPerRadian + 0.5);
}

// The first index from 0 whose coordinate index + offset reaches bound,
// within 0..count.
int FirstReaching(double bound, double offset, int count)
{
    const double index = std::ceil(bound - offset);
    return index > 0 ? int(std::min(index, double(count))) : 0;
}

} // namespace

void FaceDirections::Prepare(QSize size)
{
    if (size == m_size)
        return;
    m_size = size;
    m_columns = size.width() / 2 + 1;
    m_rows = size.height() / 2 + 1;
    m_columnOffset = size.width() % 2 ? 0.5 : 0.0;
    m_rowOffset = size.height() % 2 ? 0.5 : 0.0;
    m_angles.assign(std::size_t(m_columns) * std::size_t(m_rows), 0);
    m_angles.shrink_to_fit();
    for (int row = 0; row < m_rows; ++row)
        ComputeRow(row);
}

void FaceDirections::ComputeRow(int row)
{
    // Each loop keeps to one formula, without branches, so that it
    // vectorises.
    const int columns = m_columns;
    const double columnOffset = m_columnOffset;
    std::int32_t* angles = m_angles.data() + std::size_t(row) * std::size_t(columns);
    const double dy = row + m_rowOffset;
    // Columns before steep lie closer to the vertical than to the horizontal.
    const int steep = std::min(row + (m_rowOffset > columnOffset ? 1 : 0), columns);
    if (m_rowOffset == columnOffset && row < columns) {
        // The entries across the diagonal, in rows already computed.
        const std::int32_t* across = m_angles.data() + std::size_t(row);
        for (int column = 0; column < steep; ++column)
            angles[column] = kQuarterTurn - across[std::size_t(column) * std::size_t(columns)];
    } else {
        const int diagonal = std::min(FirstReaching(dy * kTanEighthTurn, columnOffset, columns), steep);
        for (int column = 0; column < diagonal; ++column)
            angles[column] = Steps(kHalfPi - FlatAngle(column + columnOffset, dy));
        for (int column = diagonal; column < steep; ++column)
            angles[column] = Steps(kHalfPi - DiagonalAngle(column + columnOffset, dy));
    }
    int first = steep;
    if (dy == 0 && columnOffset == 0)
        angles[first++] = -kQuarterTurn; // the centre
    const int flat = std::max(FirstReaching(dy / kTanEighthTurn, columnOffset, columns), first);
    for (int column = first; column < flat; ++column)
        angles[column] = Steps(DiagonalAngle(dy, column + columnOffset));
    for (int column = flat; column < columns; ++column)
        angles[column] = Steps(FlatAngle(dy, column + columnOffset));
}
