#include "search/CandidateCloud.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace rockpile {

std::size_t CandidateCloud::count() const
{
    std::size_t total = 0;
    for (const auto& series : positions) total += series.size();
    return total;
}

double CloudX(const CandidateList& list, std::span<const std::uint32_t> order, std::uint32_t position,
              CloudAxis axis)
{
    const std::uint32_t row = order[position];
    return axis == CloudAxis::Size ? list.Key(row, candcol::Size1) : list.Depth(row);
}

double CloudY(const CandidateList& list, std::span<const std::uint32_t> order, std::uint32_t position)
{
    return list.Key(order[position], candcol::Ra);
}

CandidateCloud BuildCloud(const CandidateList& list, std::span<const std::uint32_t> order, CloudAxis axis,
                          bool withCoordinates)
{
    CandidateCloud cloud;
    // Two passes: count, then fill, so that each series is allocated once.
    std::array<std::size_t, kCloudSeries> counts{};
    std::vector<std::uint8_t> sections(order.size());
    for (std::size_t p = 0; p < order.size(); ++p) {
        const int code = std::clamp(int(list.Section(order[p])), 1, kCloudSeries);
        sections[p] = static_cast<std::uint8_t>(code - 1);
        ++counts[sections[p]];
    }
    for (int s = 0; s < kCloudSeries; ++s) {
        cloud.positions[s].reserve(counts[s]);
        if (withCoordinates) {
            cloud.xs[s].reserve(counts[s]);
            cloud.ys[s].reserve(counts[s]);
        }
    }
    cloud.xMin = cloud.yMin = std::numeric_limits<double>::infinity();
    cloud.xMax = cloud.yMax = -std::numeric_limits<double>::infinity();
    for (std::size_t p = 0; p < order.size(); ++p) {
        const auto position = static_cast<std::uint32_t>(p);
        cloud.positions[sections[p]].push_back(position);
        const double x = CloudX(list, order, position, axis);
        const double y = CloudY(list, order, position);
        if (withCoordinates) {
            cloud.xs[sections[p]].push_back(x);
            cloud.ys[sections[p]].push_back(y);
        }
        cloud.xMin = std::min(cloud.xMin, x);
        cloud.xMax = std::max(cloud.xMax, x);
        cloud.yMin = std::min(cloud.yMin, y);
        cloud.yMax = std::max(cloud.yMax, y);
    }
    if (order.empty()) cloud.xMin = cloud.xMax = cloud.yMin = cloud.yMax = 0;
    return cloud;
}

namespace {

// The pixel of `value` on an axis of `pixels` pixels from lo to hi, clamped into it.
int PixelOf(double value, double lo, double hi, int pixels)
{
    if (!(hi > lo)) return 0;
    const double at = std::floor((value - lo) / (hi - lo) * pixels);
    if (!(at >= 0)) return 0;  // below, or not a number
    return at >= pixels ? pixels - 1 : int(at);
}

}  // namespace

std::vector<std::uint32_t> DecimateCloud(std::span<const double> xs, std::span<const double> ys,
                                         const CloudFrame& frame)
{
    const int columns = std::max(frame.columns, 1);
    const int rows = std::max(frame.rows, 1);
    const int cell = std::max(frame.cell, 1);
    const int cellColumns = (columns + cell - 1) / cell;
    const int cellRows = (rows + cell - 1) / cell;
    constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

    std::vector<std::uint32_t> lowest(std::size_t(columns), kNone);
    std::vector<std::uint32_t> highest(std::size_t(columns), kNone);
    std::vector<std::uint32_t> cells(std::size_t(cellColumns) * std::size_t(cellRows), kNone);
    const std::size_t count = std::min(xs.size(), ys.size());
    for (std::size_t i = 0; i < count; ++i) {
        const auto index = static_cast<std::uint32_t>(i);
        const int column = PixelOf(xs[i], frame.xMin, frame.xMax, columns);
        const int row = PixelOf(ys[i], frame.yMin, frame.yMax, rows);
        std::uint32_t& low = lowest[std::size_t(column)];
        std::uint32_t& high = highest[std::size_t(column)];
        if (low == kNone || ys[i] < ys[low]) low = index;
        if (high == kNone || ys[i] > ys[high]) high = index;
        std::uint32_t& occupant = cells[std::size_t(row / cell) * std::size_t(cellColumns) + std::size_t(column / cell)];
        if (occupant == kNone) occupant = index;
    }

    std::vector<std::uint32_t> kept;
    kept.reserve(2 * std::size_t(columns) + cells.size());
    for (const auto* keep : {&lowest, &highest, &cells})
        for (std::uint32_t index : *keep)
            if (index != kNone) kept.push_back(index);
    std::sort(kept.begin(), kept.end());
    kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
    return kept;
}

}  // namespace rockpile
