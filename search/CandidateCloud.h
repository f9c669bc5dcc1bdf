#pragma once
// The candidates of a result grid as a cloud of points for a chart: Ra against the
// socket depth or against the size d|a, one series per section type.
//
// A cloud keeps positions in the grid's order only (4 bytes a row); a point's
// coordinates come from the list when they are needed: the Ra and d|a keys are stored,
// the depth and the section follow from the row's place in the search.
//
// A million points cannot be drawn one by one at an interactive pace, and need not be:
// a chart has a few hundred pixel columns. DecimateCloud keeps, for every pixel column
// the points fall in, the lowest and the highest point, so the upper and lower edges
// of the cloud (and its leftmost and rightmost columns) are drawn exactly as from all
// points; and one point in every occupied cell of a grid as fine as a marker, so the
// inside of the cloud shows where it is dense and where it is empty.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "search/CandidateList.h"

namespace rockpile {

// What the horizontal axis shows.
enum class CloudAxis {
    Depth,  // the socket depth lr (m), column 5
    Size,   // d|a (mm), column 2
};

// Section type codes 1..4: circle, ellipse, rectangle, square.
inline constexpr int kCloudSeries = 4;

struct CandidateCloud {
    // Grid positions (rows of the visible order) of each section type, codes 1..4 at
    // 0..3, in grid order.
    std::array<std::vector<std::uint32_t>, kCloudSeries> positions;
    // The extent of all points; meaningful only when count() > 0.
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    // The coordinates of each series' points, by position, when built with them (for a
    // cloud built in one thread and drawn in another); otherwise empty. 16 bytes a row:
    // a drawing drops them once used.
    std::array<std::vector<double>, kCloudSeries> xs;
    std::array<std::vector<double>, kCloudSeries> ys;
    std::size_t count() const;
};

// The cloud of the rows `order` of `list` shows (a grid's order).
CandidateCloud BuildCloud(const CandidateList& list, std::span<const std::uint32_t> order, CloudAxis axis,
                          bool withCoordinates = false);

// The coordinates of the row at grid position `position`: x by `axis`, y the Ra key.
double CloudX(const CandidateList& list, std::span<const std::uint32_t> order, std::uint32_t position,
              CloudAxis axis);
double CloudY(const CandidateList& list, std::span<const std::uint32_t> order, std::uint32_t position);

// The plot a cloud is drawn into: the data range and its size in pixels.
struct CloudFrame {
    double xMin = 0, xMax = 1, yMin = 0, yMax = 1;
    int columns = 1;  // plot width in pixels
    int rows = 1;     // plot height in pixels
    int cell = 1;     // the side of a marker in pixels: one point is kept per cell
};

// The indices into xs/ys (points of one series) that are drawn, ascending: per pixel
// column of `frame` the lowest and the highest point (the first of equals), and the
// first point of every occupied cell of cell x cell pixels. Points outside the frame
// are clamped into its border columns and rows, so none is lost.
std::vector<std::uint32_t> DecimateCloud(std::span<const double> xs, std::span<const double> ys,
                                         const CloudFrame& frame);

}  // namespace rockpile
