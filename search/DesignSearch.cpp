#include "search/DesignSearch.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <limits>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "report/Format.h"
#include "search/SearchPlan.h"

namespace rockpile {

namespace {

constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();

std::uint64_t SaturatingMultiply(std::uint64_t a, std::uint64_t b)
{
    if (a != 0 && b > kSaturated / a) return kSaturated;
    return a * b;
}

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) { return b > kSaturated - a ? kSaturated : a + b; }

std::uint64_t CountOf(const OptimizationItem& item) { return static_cast<std::uint64_t>(std::max<std::int64_t>(item.count, 1)); }

// The shared state of the threads of one search. The candidates are cut into chunks
// of consecutive positions, taken in order by whichever thread is free; each thread
// walks its chunk with its own cursor and writes the keys of its candidates into their
// places, so the list comes out in search order whatever thread computed what.
struct Work {
    const SearchPlan& plan;
    const SearchControl& control;
    CandidateKeys* keys = nullptr;
    std::uint64_t total = 0;
    std::uint64_t chunk = 1;
    std::vector<std::uint64_t> chunkDone;  // candidates listed in each chunk
    std::atomic<std::uint64_t> nextChunk{0};
    std::atomic<std::uint64_t> failedAt{kNoFailure};  // the first candidate that failed
    std::atomic<std::uint64_t> done{0};
    std::atomic<bool> stopped{false};
    std::uint64_t lastReported = 0;  // by the calling thread
    std::mutex errorMutex;
    std::exception_ptr error;

    static constexpr std::uint64_t kNoFailure = std::numeric_limits<std::uint64_t>::max();

    Work(const SearchPlan& p, const SearchControl& c) : plan(p), control(c) {}

    void NoteFailure(std::uint64_t index)
    {
        std::uint64_t seen = failedAt.load();
        while (index < seen && !failedAt.compare_exchange_weak(seen, index)) {
        }
    }

    // Computes the chunks this thread takes. The calling thread (reporter) also reports
    // progress between its chunks: the count of candidates done so far, whenever it has
    // passed another multiple of the interval.
    void Run(bool reporter)
    {
        try {
            SearchPlan::Cursor cursor(plan);
            for (;;) {
                const std::uint64_t c = nextChunk.fetch_add(1);
                const std::uint64_t begin = c * chunk;
                if (begin >= total || begin > failedAt.load() || stopped.load()) break;
                const std::uint64_t end = std::min(total, begin + chunk);
                std::uint64_t index = begin;
                for (; index < end; ++index) {
                    if (control.stop.stop_requested()) {
                        stopped = true;
                        break;
                    }
                    if (index > failedAt.load(std::memory_order_relaxed)) break;
                    cursor.MoveTo(index);
                    const ComputeOutcome outcome = ComputePile(cursor.input());
                    if (outcome.stopped()) {
                        NoteFailure(index);
                        break;
                    }
                    keys[index] = cursor.Keys(outcome);
                }
                chunkDone[c] = index - begin;
                const std::uint64_t now = done.fetch_add(index - begin) + (index - begin);
                if (reporter && control.progress && control.progressInterval > 0 &&
                    now / control.progressInterval > lastReported / control.progressInterval) {
                    lastReported = now;
                    control.progress(now, total);
                }
            }
        } catch (...) {
            std::lock_guard lock(errorMutex);
            if (!error) error = std::current_exception();
            stopped = true;
        }
    }

    // The candidates listed without a gap from the first.
    std::uint64_t ListedPrefix() const
    {
        std::uint64_t listed = 0;
        for (std::uint64_t c = 0; c < chunkDone.size(); ++c) {
            listed += chunkDone[c];
            if (chunkDone[c] != std::min(chunk, total - c * chunk)) break;
        }
        return listed;
    }
};

// The search on the calling thread alone, candidate by candidate; progress exactly at
// every multiple of the interval. Returns the number of candidates listed.
std::uint64_t RunInOrder(const SearchPlan& plan, const SearchControl& control, CandidateKeys* keys,
                         std::uint64_t total, SearchEnd& end)
{
    SearchPlan::Cursor cursor(plan);
    for (std::uint64_t index = 0; index < total; ++index) {
        if (control.stop.stop_requested()) {
            end = SearchEnd::Cancelled;
            return index;
        }
        cursor.MoveTo(index);
        const ComputeOutcome outcome = ComputePile(cursor.input());
        if (outcome.stopped()) {
            end = SearchEnd::Diagnostic;
            return index;
        }
        keys[index] = cursor.Keys(outcome);
        if (control.progress && control.progressInterval > 0 && (index + 1) % control.progressInterval == 0)
            control.progress(index + 1, total);
    }
    end = SearchEnd::Completed;
    return total;
}

// The same on several threads; the outcome is the one of RunInOrder (for a search that
// is not cancelled).
std::uint64_t RunInParallel(const SearchPlan& plan, const SearchControl& control, CandidateKeys* keys,
                            std::uint64_t total, unsigned threads, SearchEnd& end, std::uint64_t& reported)
{
    Work work(plan, control);
    work.keys = keys;
    work.total = total;
    work.chunk = control.chunkSize > 0 ? control.chunkSize
                                       : std::clamp<std::uint64_t>(total / (threads * 16ull), 256, 16384);
    work.chunkDone.assign((total + work.chunk - 1) / work.chunk, 0);
    {
        std::vector<std::jthread> helpers;
        helpers.reserve(threads - 1);
        for (unsigned t = 1; t < threads; ++t) helpers.emplace_back([&work] { work.Run(false); });
        work.Run(true);
    }  // joined
    if (work.error) std::rethrow_exception(work.error);

    reported = work.lastReported;
    const std::uint64_t listed = work.ListedPrefix();
    const std::uint64_t failedAt = work.failedAt.load();
    if (failedAt != Work::kNoFailure && listed >= failedAt) {
        end = SearchEnd::Diagnostic;
        return failedAt;
    }
    if (work.stopped.load() || listed < total) {
        end = SearchEnd::Cancelled;
        return listed;
    }
    end = SearchEnd::Completed;
    return total;
}

}  // namespace

std::uint64_t CandidateCount(const SearchItems& items)
{
    std::uint64_t perFrk = 0;
    const OptimizationItem& bases = items[itemrow::Basis];
    double code = bases.min;
    for (std::int64_t i = 0; i < bases.count; ++i, code = bases.Next(code))
        perFrk = SaturatingAdd(perFrk, CountOf(items[code == 1 ? itemrow::IntegrityClass : itemrow::IntegrityIndex]));
    const std::uint64_t perSize = SaturatingMultiply(
        SaturatingMultiply(CountOf(items[itemrow::SocketDepth]), CountOf(items[itemrow::Frk])), perFrk);

    std::uint64_t total = 0;
    const OptimizationItem& types = items[itemrow::SectionType];
    double type = types.min;
    for (std::int64_t i = 0; i < types.count; ++i, type = types.Next(type)) {
        std::uint64_t sizes = 0;
        switch (static_cast<int>(type)) {
        case 1: sizes = CountOf(items[itemrow::Diameter]); break;
        case 2: sizes = SaturatingMultiply(CountOf(items[itemrow::Diameter]), CountOf(items[itemrow::EllipseStraight])); break;
        case 3: sizes = SaturatingMultiply(CountOf(items[itemrow::RectangleLong]), CountOf(items[itemrow::RectangleShort])); break;
        default: sizes = CountOf(items[itemrow::SquareSide]); break;
        }
        total = SaturatingAdd(total, SaturatingMultiply(sizes, perSize));
    }
    return total;
}

std::string SearchCompletedMessage(std::uint64_t n)
{
    return "计算完成，桩数：" + FormatGeneral(static_cast<double>(n)) + " 根";
}

SearchOutcome RunDesignSearch(const SearchItems& items, const PileInput& page, int precisionMode,
                              const SearchControl& control)
{
    SearchOutcome outcome;
    outcome.total = CandidateCount(items);
    outcome.candidates = CandidateList(page.layers.empty() ? std::string() : page.layers.front().weathering, precisionMode);
    if (outcome.total > control.maxCandidates) {
        outcome.end = SearchEnd::TooManyCandidates;
        outcome.message = "候选桩数" + FormatGeneral(static_cast<double>(outcome.total)) + " 根，超过上限" +
                          FormatGeneral(static_cast<double>(control.maxCandidates)) + " 根，请缩小取值范围";
        outcome.messageColour = kRed;
        return outcome;
    }

    auto plan = std::make_shared<const SearchPlan>(items, page, precisionMode);
    const std::uint64_t total = outcome.total;
    std::vector<CandidateKeys> keys(static_cast<std::size_t>(total));
    const unsigned threads =
        control.threads > 0 ? control.threads : std::max(1u, std::thread::hardware_concurrency());
    std::uint64_t listed = 0;
    std::uint64_t reported = 0;  // the last count given to progress, in parallel
    const bool parallel = threads > 1 && total >= control.parallelAbove;
    if (parallel)
        listed = RunInParallel(*plan, control, keys.data(), total, threads, outcome.end, reported);
    else
        listed = RunInOrder(*plan, control, keys.data(), total, outcome.end);

    keys.resize(static_cast<std::size_t>(listed));
    if (keys.capacity() / 2 > keys.size()) keys.shrink_to_fit();
    outcome.candidates = CandidateList(plan, std::move(keys));

    if (outcome.end == SearchEnd::Cancelled) return outcome;
    // The input page as the search leaves it: the last candidate, or the one that
    // failed, as written, with its calculation.
    const std::uint64_t last = outcome.end == SearchEnd::Completed ? total - 1 : listed;
    outcome.lastInput = plan->InputAt(last);
    outcome.lastOutcome = ComputePile(*outcome.lastInput);

    if (outcome.end == SearchEnd::Completed) {
        outcome.candidates.Number();
        outcome.message = SearchCompletedMessage(outcome.candidates.size());
        outcome.messageColour = kBlack;
        const bool alreadyReported = parallel ? reported == total
                                              : control.progressInterval > 0 && total % control.progressInterval == 0;
        if (control.progress && !alreadyReported) control.progress(total, outcome.total);
    } else {
        outcome.message = kRunAbortedText;
        outcome.messageColour = kRed;
    }
    return outcome;
}

}  // namespace rockpile
