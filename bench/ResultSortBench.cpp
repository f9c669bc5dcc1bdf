// A header click on the result grid: the exchange sort of 1152, 200,000 and 1,000,000
// candidate rows by Ra (few ties) and by d (heavy ties), from search order and, for d,
// from the order of a sort by Ra.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench/BenchItems.h"
#include "core/PileInput.h"
#include "report/Format.h"
#include "search/DesignSearch.h"
#include "search/ResultSorting.h"

namespace rockpile {
namespace {

// The default search for 1152 rows; for more, a search of 1,000,000 mixed candidates
// (all four section types), of which the first n rows are sorted.
const CandidateList& Rows(std::size_t n)
{
    static const CandidateList defaults = RunDesignSearch(ReadItems(), PileInput::StartDefaults(), kUnits).candidates;
    if (n <= defaults.size()) return defaults;
    static const CandidateList million = [] {
        // 250,000 candidates per section type: 50 sizes (rectangles 10 x 5) x 10 depths
        // x 50 strengths x 10 (5 classes + 5 indices).
        const SearchItems items = ReadItems({
            {itemrow::Diameter, "800", "3250", "50"},
            {itemrow::EllipseStraight, "500", "500", "0"},
            {itemrow::RectangleLong, "1500", "3300", "200"},
            {itemrow::RectangleShort, "800", "1600", "200"},
            {itemrow::SquareSide, "800", "3250", "50"},
            {itemrow::SocketDepth, "0.5d", "5.0d", "0.5d"},
            {itemrow::Frk, "5", "103", "2"},
            {itemrow::IntegrityClass, "1", "5", "1"},
            {itemrow::IntegrityIndex, "0.10", "0.90", "0.20"},
        });
        SearchOutcome outcome = RunDesignSearch(items, PileInput::StartDefaults(), kUnits);
        if (outcome.candidates.size() != 1'000'000) std::abort();
        return std::move(outcome.candidates);
    }();
    return million;
}

// Sorts the first n rows by `column`, starting from search order, or from the order of
// a previous sort by `firstColumn` when it is given.
void SortRows(benchmark::State& state, int column, int firstColumn = -1)
{
    const std::size_t n = static_cast<std::size_t>(state.range(0));
    const CandidateList& list = Rows(n);
    std::vector<std::uint32_t> start = SearchOrder(list);
    start.resize(n);
    if (firstColumn >= 0) {
        SortStates states;
        ClickResultHeader(states, firstColumn, start, list);
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::uint32_t> order = start;
        SortStates states;
        state.ResumeTiming();
        const HeaderClickOutcome click = ClickResultHeader(states, column, order, list);
        benchmark::DoNotOptimize(click);
        benchmark::DoNotOptimize(order.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(n));
}

void BM_SortByRa(benchmark::State& state) { SortRows(state, candcol::Ra); }
void BM_SortByD(benchmark::State& state) { SortRows(state, candcol::Size1); }
// The sizes scattered by a sort by Ra: many long runs of equal keys in mixed order.
void BM_SortByDAfterRa(benchmark::State& state) { SortRows(state, candcol::Size1, candcol::Ra); }
BENCHMARK(BM_SortByRa)->Arg(1152)->Arg(200'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByD)->Arg(1152)->Arg(200'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByDAfterRa)->Arg(1152)->Arg(200'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rockpile
