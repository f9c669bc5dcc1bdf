// A search of 1,000,000 candidates from the start to the list the page shows: the
// search, the shared list and the order of the full grid, as the search page builds
// them. Besides the time it counts the heap: the peak during the search and listing,
// and what the listed rows keep, both in bytes per candidate. Every allocation of this
// program goes through the counting operators below.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "bench/BenchItems.h"
#include "core/PileInput.h"
#include "report/Format.h"
#include "search/DesignSearch.h"

namespace {

std::atomic<std::int64_t> heapNow{0};
std::atomic<std::int64_t> heapPeak{0};

void* Counted(std::size_t size)
{
    void* p = std::malloc(size == 0 ? 1 : size);
    if (!p) throw std::bad_alloc();
    const std::int64_t now = heapNow.fetch_add(static_cast<std::int64_t>(malloc_usable_size(p))) +
                             static_cast<std::int64_t>(malloc_usable_size(p));
    std::int64_t peak = heapPeak.load();
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void Uncounted(void* p)
{
    if (!p) return;
    heapNow.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(p)));
    std::free(p);
}

}  // namespace

void* operator new(std::size_t size) { return Counted(size); }
void* operator new[](std::size_t size) { return Counted(size); }
void operator delete(void* p) noexcept { Uncounted(p); }
void operator delete[](void* p) noexcept { Uncounted(p); }
void operator delete(void* p, std::size_t) noexcept { Uncounted(p); }
void operator delete[](void* p, std::size_t) noexcept { Uncounted(p); }

namespace rockpile {
namespace {

void BM_MillionListed(benchmark::State& state)
{
    const SearchItems items = MillionItems();
    const PileInput page = PileInput::StartDefaults();
    double peakPerRow = 0;
    double heldPerRow = 0;
    for (auto _ : state) {
        const std::int64_t before = heapNow.load();
        heapPeak.store(before);
        SearchOutcome outcome = RunDesignSearch(items, page, kUnits);
        if (outcome.candidates.size() != 1'000'000) state.SkipWithError("not 1,000,000 candidates");
        // What the full grid's model holds: the shared list and its order.
        auto list = std::make_shared<const CandidateList>(std::move(outcome.candidates));
        std::vector<std::uint32_t> order = SearchOrder(*list);
        outcome = SearchOutcome{};
        const double rows = static_cast<double>(list->size());
        peakPerRow = static_cast<double>(heapPeak.load() - before) / rows;
        heldPerRow = static_cast<double>(heapNow.load() - before) / rows;
        benchmark::DoNotOptimize(order.data());
    }
    state.SetItemsProcessed(state.iterations() * 1'000'000);
    state.counters["peak_B_per_row"] = peakPerRow;
    state.counters["held_B_per_row"] = heldPerRow;
}
BENCHMARK(BM_MillionListed)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

}  // namespace
}  // namespace rockpile
