// The chart's cloud of candidates: positions per section type from the list's own keys
// and places, and the decimation that draws a million points as a few thousand without
// moving the cloud's edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/PileInput.h"
#include "report/Format.h"
#include "report/Texts.h"
#include "search/CandidateCloud.h"
#include "search/DesignSearch.h"

namespace rockpile {
namespace {

// A random item table of a few thousand candidates at most, with depths in mm or in
// multiples of the size, and every section type.
SearchItems RandomItems(std::mt19937& random)
{
    auto pick = [&random](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    auto text = [](double v) { return FormatGeneral(v); };
    SearchItemTexts texts = SearchRowsOf(DefaultItemTable());
    auto set = [&texts](int row, std::string min, std::string max, std::string step) {
        texts[static_cast<std::size_t>(row)] = {texts[static_cast<std::size_t>(row)].name, min, max, step};
    };
    const int t0 = pick(1, 4);
    set(itemrow::SectionType, std::to_string(t0), std::to_string(pick(t0, 4)), "1");
    for (int row = itemrow::Diameter; row <= itemrow::SquareSide; ++row) {
        const int lo = 500 + 100 * pick(0, 10);
        set(row, text(lo), text(lo + 100 * pick(0, 6)), text(100 * pick(1, 3)));
    }
    if (pick(0, 1) == 0)
        set(itemrow::SocketDepth, "0.5d", text(0.5 * pick(1, 6)) + "d", text(0.5 * pick(1, 3)) + "d");
    else
        set(itemrow::SocketDepth, "300", text(300 + 400 * pick(0, 8)), "700");
    set(itemrow::Frk, "10", text(10 + pick(0, 20)), "5");
    const SearchItemsOutcome read = ReadSearchItems(texts);
    EXPECT_TRUE(read.ok()) << read.error->message;
    return read.items;
}

// The list's section and depth, taken from the position alone, are those of the cells.
TEST(CandidateCloud, SectionAndDepthAreThoseTheGridShows)
{
    std::mt19937 random(1313);
    for (int table = 0; table < 25; ++table) {
        const SearchItems items = RandomItems(random);
        if (CandidateCount(items) > 3000) continue;
        const SearchOutcome outcome = RunDesignSearch(items, PileInput::StartDefaults(), 2);
        const CandidateList& list = outcome.candidates;
        for (std::size_t i = 0; i < list.size(); ++i) {
            ASSERT_EQ(SectionName(int(list.Section(i)), SectionNameStyle::Column), list.Text(i, candcol::Section)) << table << " " << i;
            ASSERT_EQ(FormatFixed(list.Depth(i), 10, 2), list.Text(i, candcol::Depth)) << table << " " << i;
        }
    }
}

// Every row of the order lands in the series of its section, in grid order; the extent
// covers exactly the points.
TEST(CandidateCloud, HoldsEveryRowOfTheOrderInItsSeries)
{
    const SearchItems items = ReadSearchItems(SearchRowsOf(DefaultItemTable())).items;
    const SearchOutcome outcome = RunDesignSearch(items, PileInput::StartDefaults(), 2);
    const CandidateList& list = outcome.candidates;
    std::vector<std::uint32_t> order;
    for (std::uint32_t i = 0; i < list.size(); i += 3) order.push_back(static_cast<std::uint32_t>(list.size() - 1 - i));

    for (CloudAxis axis : {CloudAxis::Depth, CloudAxis::Size}) {
        const CandidateCloud cloud = BuildCloud(list, order, axis);
        ASSERT_EQ(cloud.count(), order.size());
        std::map<std::string, std::size_t> bySection;
        for (std::uint32_t row : order) ++bySection[list.Text(row, candcol::Section)];
        double xMin = 1e300, xMax = -1e300, yMin = 1e300, yMax = -1e300;
        for (int s = 0; s < kCloudSeries; ++s) {
            const auto& positions = cloud.positions[static_cast<std::size_t>(s)];
            EXPECT_EQ(positions.size(), bySection[std::string(SectionName(s + 1, SectionNameStyle::Column))]) << s;
            EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
            for (std::uint32_t p : positions) {
                EXPECT_EQ(list.Section(order[p]), s + 1);
                const double x = CloudX(list, order, p, axis);
                const double y = CloudY(list, order, p);
                EXPECT_EQ(y, std::stod(list.Text(order[p], candcol::Ra)));
                if (axis == CloudAxis::Size) {
                    EXPECT_EQ(x, std::stod(list.Text(order[p], candcol::Size1)));
                }
                xMin = std::min(xMin, x), xMax = std::max(xMax, x), yMin = std::min(yMin, y), yMax = std::max(yMax, y);
            }
        }
        // Built with its coordinates, the same cloud carries each point's x and y.
        const CandidateCloud withCoordinates = BuildCloud(list, order, axis, true);
        for (int s = 0; s < kCloudSeries; ++s) {
            const auto at = static_cast<std::size_t>(s);
            ASSERT_EQ(withCoordinates.positions[at], cloud.positions[at]);
            ASSERT_EQ(withCoordinates.xs[at].size(), cloud.positions[at].size());
            for (std::size_t i = 0; i < cloud.positions[at].size(); ++i) {
                EXPECT_EQ(withCoordinates.xs[at][i], CloudX(list, order, cloud.positions[at][i], axis));
                EXPECT_EQ(withCoordinates.ys[at][i], CloudY(list, order, cloud.positions[at][i]));
            }
            EXPECT_TRUE(cloud.xs[at].empty());
        }
        EXPECT_EQ(cloud.xMin, xMin);
        EXPECT_EQ(cloud.xMax, xMax);
        EXPECT_EQ(cloud.yMin, yMin);
        EXPECT_EQ(cloud.yMax, yMax);
    }
    EXPECT_EQ(BuildCloud(list, {}, CloudAxis::Depth).count(), 0u);
}

// Random clouds, some with few distinct x values like the depths of a search, some
// with points outside the frame: for every pixel column, the lowest and the highest y
// of the kept points are those of all points; every occupied marker cell keeps a point;
// the kept indices are ascending and unique.
TEST(CandidateCloud, DecimationKeepsTheEnvelope)
{
    std::mt19937 random(42);
    for (int trial = 0; trial < 40; ++trial) {
        const std::size_t count = std::uniform_int_distribution<std::size_t>(1, 200'000)(random);
        const bool discrete = trial % 2 == 0;
        std::normal_distribution<double> spread(50, 20);
        std::vector<double> xs(count), ys(count);
        for (std::size_t i = 0; i < count; ++i) {
            xs[i] = discrete ? double(random() % 17) * 6.25 : spread(random);
            ys[i] = spread(random) * (1 + xs[i] / 40);
        }
        CloudFrame frame;
        frame.xMin = 0, frame.xMax = 100, frame.yMin = 0, frame.yMax = 250;
        frame.columns = 200 + trial * 7;
        frame.rows = 150 + trial * 3;
        frame.cell = 1 + trial % 7;
        const std::vector<std::uint32_t> kept = DecimateCloud(xs, ys, frame);

        ASSERT_TRUE(std::is_sorted(kept.begin(), kept.end()));
        ASSERT_EQ(std::adjacent_find(kept.begin(), kept.end()), kept.end());
        ASSERT_LE(kept.size(), count);

        // The column and the row of a point as the frame's pixels place it (clamped).
        const auto pixel = [](double v, double lo, double hi, int n) {
            const double at = std::floor((v - lo) / (hi - lo) * n);
            return at < 0 ? 0 : at >= n ? n - 1 : int(at);
        };
        const double inf = std::numeric_limits<double>::infinity();
        std::vector<double> allLow(frame.columns, inf), allHigh(frame.columns, -inf);
        std::vector<double> keptLow(frame.columns, inf), keptHigh(frame.columns, -inf);
        const int cellColumns = (frame.columns + frame.cell - 1) / frame.cell;
        std::vector<char> occupied(std::size_t(cellColumns) * ((frame.rows + frame.cell - 1) / frame.cell), 0);
        std::vector<char> covered(occupied.size(), 0);
        const auto cellOf = [&](std::size_t i) {
            const int c = pixel(xs[i], frame.xMin, frame.xMax, frame.columns) / frame.cell;
            const int r = pixel(ys[i], frame.yMin, frame.yMax, frame.rows) / frame.cell;
            return std::size_t(r) * std::size_t(cellColumns) + std::size_t(c);
        };
        for (std::size_t i = 0; i < count; ++i) {
            const int c = pixel(xs[i], frame.xMin, frame.xMax, frame.columns);
            allLow[c] = std::min(allLow[c], ys[i]);
            allHigh[c] = std::max(allHigh[c], ys[i]);
            occupied[cellOf(i)] = 1;
        }
        for (std::uint32_t i : kept) {
            const int c = pixel(xs[i], frame.xMin, frame.xMax, frame.columns);
            keptLow[c] = std::min(keptLow[c], ys[i]);
            keptHigh[c] = std::max(keptHigh[c], ys[i]);
            covered[cellOf(i)] = 1;
        }
        ASSERT_EQ(keptLow, allLow) << "trial " << trial;
        ASSERT_EQ(keptHigh, allHigh) << "trial " << trial;
        ASSERT_EQ(covered, occupied) << "trial " << trial;
        // Far fewer points than a large cloud: at most two per column and one per cell.
        EXPECT_LE(kept.size(), 2 * std::size_t(frame.columns) + occupied.size());
    }
}

// A frame of no width or height still keeps the extremes.
TEST(CandidateCloud, DegenerateFrameKeepsTheExtremes)
{
    const std::vector<double> xs{3, 3, 3, 3};
    const std::vector<double> ys{5, 1, 9, 5};
    CloudFrame frame;
    frame.xMin = frame.xMax = 3;
    frame.yMin = 1, frame.yMax = 9;
    frame.columns = 0;
    frame.rows = 0;
    const std::vector<std::uint32_t> kept = DecimateCloud(xs, ys, frame);
    EXPECT_EQ(kept, (std::vector<std::uint32_t>{0, 1, 2}));
}

}  // namespace
}  // namespace rockpile
