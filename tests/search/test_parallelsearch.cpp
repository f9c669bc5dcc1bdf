// The search on several threads against the search candidate by candidate, on random
// item tables: the same candidates in the same order with the same texts, the same
// failing candidate, and the same input left on the page. The candidate-by-candidate
// search here is written out as the loops of the page: one input, carried from one
// candidate to the next, each candidate writing only the cells of its loops.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "core/ComputePile.h"
#include "core/PileInput.h"
#include "report/Format.h"
#include "report/RunTexts.h"
#include "search/DesignSearch.h"
#include "search/SearchPlan.h"

namespace rockpile {
namespace {

auto Fields(const PileInput& input)
{
    const RockLayer& l = input.layers.front();
    return std::tuple(input.sectionType, input.d, input.c, input.a, input.b, input.strengthMode, input.coefficientMode,
                      input.interpolationBasis, input.boredPile, input.reductionFactor, input.softRockExposed,
                      input.layers.size(), l.lr, l.weathering, l.integrityText, l.kv, l.frk, l.c1Manual, l.c2Manual,
                      l.qpaGiven, l.qraGiven);
}

// The inputs of the candidates in the order the page's loops write them, up to and
// including the first one whose calculation stops.
struct Sequential {
    std::vector<PileInput> inputs;
    bool stopped = false;
};

Sequential WriteCandidates(const SearchItems& items, const PileInput& page)
{
    Sequential out;
    PileInput input = page;
    input.layers = {page.layers.front()};
    input.strengthMode = StrengthMode::CompressiveStrength;
    input.coefficientMode = CoefficientMode::Automatic;
    RockLayer& layer = input.layers.front();

    auto candidate = [&]() {
        out.inputs.push_back(input);
        out.stopped = ComputePile(input).stopped();
        return !out.stopped;
    };
    auto rock = [&](double size) {
        for (double k : items[itemrow::SocketDepth].Values()) {
            const double h = items[itemrow::SocketDepth].inMultiples ? k * size : k;
            layer.lr = FormatFixed(h / 1000, 10, 2);
            for (double frk : items[itemrow::Frk].Values()) {
                layer.frk = FormatFixed(frk, 10, 2);
                for (double basis : items[itemrow::Basis].Values()) {
                    if (basis == 1) {
                        input.interpolationBasis = InterpolationBasis::IntegrityClass;
                        for (double cls : items[itemrow::IntegrityClass].Values()) {
                            layer.integrityText = kIntegrityClasses[static_cast<int>(cls) - 1];
                            if (!candidate()) return false;
                        }
                    } else {
                        input.interpolationBasis = InterpolationBasis::IntegrityIndex;
                        for (double kv : items[itemrow::IntegrityIndex].Values()) {
                            layer.kv = FormatFixed(kv, 10, 2);
                            if (!candidate()) return false;
                        }
                    }
                }
            }
        }
        return true;
    };
    auto sizes = [&](double first, double second, bool circular) {
        input.d = input.a = FormatGeneral(first);
        input.c = input.b = circular ? std::string("0") : FormatGeneral(second);
    };
    for (double type : items[itemrow::SectionType].Values()) {
        const int t = static_cast<int>(type);
        input.sectionType = t == 1 ? SectionType::Circular : t == 2 ? SectionType::Ellipse : SectionType::Rectangle;
        if (t == 1 || t == 4) {
            for (double a : items[t == 1 ? itemrow::Diameter : itemrow::SquareSide].Values()) {
                sizes(a, t == 4 ? a : 0, t == 1);
                if (!rock(a)) return out;
            }
        } else {
            for (double a : items[t == 2 ? itemrow::Diameter : itemrow::RectangleLong].Values())
                for (double b : items[t == 2 ? itemrow::EllipseStraight : itemrow::RectangleShort].Values()) {
                    sizes(a, b, false);
                    if (!rock(t == 3 ? std::min(a, b) : a)) return out;
                }
        }
    }
    return out;
}

// A random table of at most about 4000 candidates. Sizes, strengths and straight
// lengths of 0 now and then make a candidate fail somewhere in the middle.
SearchItemTexts RandomTable(std::mt19937& random)
{
    auto pick = [&random](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    auto text = [](double v) { return FormatGeneral(v); };
    SearchItemTexts texts = SearchRowsOf(DefaultItemTable());
    auto set = [&texts](int row, std::string min, std::string max, std::string step) {
        ItemRowTexts& r = texts[static_cast<std::size_t>(row)];
        r.min = std::move(min);
        r.max = std::move(max);
        r.step = std::move(step);
    };
    const int t0 = pick(1, 4);
    set(itemrow::SectionType, std::to_string(t0), std::to_string(pick(t0, 4)), std::to_string(pick(1, 2)));
    for (int row = itemrow::Diameter; row <= itemrow::SquareSide; ++row) {
        const int lo = pick(0, 20) == 0 ? 0 : 500 + 100 * pick(0, 10);
        set(row, text(lo), text(lo + 100 * pick(0, 15)), text(100 * pick(0, 6)));
    }
    if (pick(0, 1) == 0)
        set(itemrow::SocketDepth, "0.5d", text(0.5 * pick(1, 6)) + "d", text(0.5 * pick(1, 3)) + "d");
    else
        set(itemrow::SocketDepth, "300", text(300 + 400 * pick(0, 8)), "700");
    const int frk = pick(0, 15) == 0 ? 0 : pick(3, 60);
    set(itemrow::Frk, text(frk), text(frk + pick(0, 40)), text(pick(0, 12)));
    const int basis = pick(1, 2);
    set(itemrow::Basis, std::to_string(basis), std::to_string(pick(basis, 2)), "1");
    const int cls = pick(1, 5);
    set(itemrow::IntegrityClass, std::to_string(cls), std::to_string(pick(cls, 5)), std::to_string(pick(1, 2)));
    const int kv = pick(1, 9);
    set(itemrow::IntegrityIndex, FormatFixed(kv / 10.0, 10, 2), FormatFixed(pick(kv, 10) / 10.0, 10, 2), "0.10");
    return texts;
}

TEST(ParallelSearch, GivesTheCandidatesOfTheSearchInOrder)
{
    std::mt19937 random(20240613);
    PileInput page = PileInput::StartDefaults();
    // Integrity cells that no candidate writes show through until one does.
    page.layers.front().integrityText = "破碎";
    page.layers.front().kv = "0.66";
    int compared = 0;
    int failed = 0;
    while (compared < 60) {
        const SearchItemsOutcome read = ReadSearchItems(RandomTable(random));
        ASSERT_TRUE(read.ok()) << read.error->message;
        const SearchItems& items = read.items;
        const std::uint64_t count = CandidateCount(items);
        if (count > 4000) continue;
        ++compared;
        page.boredPile = random() % 2 == 0;
        const int precision = static_cast<int>(random() % 4);

        const Sequential expected = WriteCandidates(items, page);
        const SearchPlan plan(items, page, precision);
        ASSERT_EQ(plan.count(), count);
        ASSERT_LE(expected.inputs.size(), count);
        for (std::size_t i = 0; i < expected.inputs.size(); ++i)
            ASSERT_EQ(Fields(plan.InputAt(i)), Fields(expected.inputs[i])) << "table " << compared << ", candidate " << i;

        SearchControl one;
        one.threads = 1;
        SearchControl many;
        many.threads = 2 + static_cast<unsigned>(random() % 3);
        many.parallelAbove = 0;
        many.chunkSize = 1 + random() % 97;
        const SearchOutcome inOrder = RunDesignSearch(items, page, precision, one);
        const SearchOutcome parallel = RunDesignSearch(items, page, precision, many);

        const std::size_t listed = expected.inputs.size() - (expected.stopped ? 1 : 0);
        failed += expected.stopped ? 1 : 0;
        EXPECT_EQ(inOrder.end, expected.stopped ? SearchEnd::Diagnostic : SearchEnd::Completed);
        EXPECT_EQ(parallel.end, inOrder.end);
        EXPECT_EQ(parallel.message, inOrder.message);
        ASSERT_EQ(inOrder.candidates.size(), listed);
        ASSERT_EQ(parallel.candidates.size(), listed);
        for (std::size_t i = 0; i < listed; ++i) {
            ASSERT_EQ(parallel.candidates.Texts(i), inOrder.candidates.Texts(i)) << "table " << compared << ", row " << i;
            ASSERT_EQ(parallel.candidates.Key(i, candcol::Ra), inOrder.candidates.Key(i, candcol::Ra)) << i;
            ASSERT_EQ(parallel.candidates.Key(i, candcol::Size1), inOrder.candidates.Key(i, candcol::Size1)) << i;
            // The Ra text is what the compute run writes for the candidate's input.
            ASSERT_EQ(inOrder.candidates.Text(i, candcol::Ra),
                      FormatResultFields(ComputePile(expected.inputs[i]).result, precision).ra)
                << i;
        }
        // The input page is left with the last candidate, or the failing one.
        ASSERT_TRUE(parallel.lastInput.has_value());
        EXPECT_EQ(Fields(*parallel.lastInput), Fields(expected.inputs.back()));
        EXPECT_EQ(parallel.lastOutcome->stopError, ComputePile(expected.inputs.back()).stopError);
        EXPECT_EQ(parallel.lastOutcome->result.ra, ComputePile(expected.inputs.back()).result.ra);
    }
    // The tables drawn include searches that stop at a failing candidate.
    EXPECT_GT(failed, 0);
}

TEST(ParallelSearch, ReportsProgressAndStopsWhenAsked)
{
    const SearchItems items = ReadSearchItems(SearchRowsOf(DefaultItemTable())).items;
    SearchControl control;
    control.threads = 2;
    control.parallelAbove = 0;
    control.chunkSize = 64;
    control.progressInterval = 100;
    std::vector<std::uint64_t> counts;
    control.progress = [&counts](std::uint64_t done, std::uint64_t total) {
        EXPECT_EQ(total, 1152u);
        counts.push_back(done);
    };
    const SearchOutcome outcome = RunDesignSearch(items, PileInput::StartDefaults(), kUnits, control);
    ASSERT_EQ(outcome.end, SearchEnd::Completed);
    ASSERT_FALSE(counts.empty());
    EXPECT_TRUE(std::is_sorted(counts.begin(), counts.end()));
    EXPECT_EQ(counts.back(), 1152u);

    // A stop asked for before the search: nothing is listed.
    std::stop_source before;
    before.request_stop();
    control.stop = before.get_token();
    const SearchOutcome refused = RunDesignSearch(items, PileInput::StartDefaults(), kUnits, control);
    EXPECT_EQ(refused.end, SearchEnd::Cancelled);
    EXPECT_EQ(refused.candidates.size(), 0u);
    EXPECT_FALSE(refused.lastInput.has_value());

    // A stop at the first report of a search of 80,000 candidates ends it there.
    SearchItemTexts texts = SearchRowsOf(DefaultItemTable());
    texts[itemrow::SectionType] = {"", "1", "1", "1"};
    texts[itemrow::Diameter] = {"", "1000", "10990", "10"};
    texts[itemrow::SocketDepth] = {"", "1.0d", "10.0d", "1.0d"};
    texts[itemrow::Frk] = {"", "35", "35", "0"};
    const SearchItemsOutcome wide = ReadSearchItems(texts);
    ASSERT_TRUE(wide.ok());
    std::stop_source source;
    control.stop = source.get_token();
    control.progress = [&source](std::uint64_t, std::uint64_t) { source.request_stop(); };
    const SearchOutcome cancelled = RunDesignSearch(wide.items, PileInput::StartDefaults(), kUnits, control);
    EXPECT_EQ(cancelled.end, SearchEnd::Cancelled);
    EXPECT_LT(cancelled.candidates.size(), 80'000u);
    EXPECT_FALSE(cancelled.lastInput.has_value());
    EXPECT_TRUE(cancelled.message.empty());
}

}  // namespace
}  // namespace rockpile
