// The design search into compact candidate rows: the default search of 1152 candidates
// and a wide search of 1,000,000, alone and up to the list the search page shows (the
// shared list and the order of the full grid).
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchItems.h"
#include "core/PileInput.h"
#include "report/Format.h"
#include "search/DesignSearch.h"

namespace rockpile {
namespace {

void BM_DefaultSearch(benchmark::State& state)
{
    const SearchItems items = ReadItems();
    const PileInput page = PileInput::StartDefaults();
    for (auto _ : state) {
        SearchOutcome outcome = RunDesignSearch(items, page, kUnits);
        if (outcome.candidates.size() != 1152) state.SkipWithError("not 1152 candidates");
        benchmark::DoNotOptimize(outcome);
    }
    state.SetItemsProcessed(state.iterations() * 1152);
}
BENCHMARK(BM_DefaultSearch)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MillionCandidateSearch(benchmark::State& state)
{
    const SearchItems items = MillionItems();
    const PileInput page = PileInput::StartDefaults();
    std::size_t bytes = 0;
    for (auto _ : state) {
        SearchOutcome outcome = RunDesignSearch(items, page, kUnits);
        if (outcome.candidates.size() != 1'000'000) state.SkipWithError("not 1,000,000 candidates");
        bytes = outcome.candidates.MemoryBytes();
        benchmark::DoNotOptimize(outcome);
    }
    state.SetItemsProcessed(state.iterations() * 1'000'000);
    state.counters["row_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_MillionCandidateSearch)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

void BM_MillionCandidatesListed(benchmark::State& state)
{
    const SearchItems items = MillionItems();
    const PileInput page = PileInput::StartDefaults();
    for (auto _ : state) {
        SearchOutcome outcome = RunDesignSearch(items, page, kUnits);
        auto list = std::make_shared<const CandidateList>(std::move(outcome.candidates));
        std::vector<std::uint32_t> order = SearchOrder(*list);
        if (order.size() != 1'000'000) state.SkipWithError("not 1,000,000 candidates");
        benchmark::DoNotOptimize(order.data());
    }
    state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_MillionCandidatesListed)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
}  // namespace rockpile
