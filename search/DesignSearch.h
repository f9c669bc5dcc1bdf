#pragma once
// The design search: every combination of the item values, computed by the calculation
// core on exactly the inputs the search writes into the input page, listed as compact
// candidate rows.
//
// Loops, outermost first: section type (row 0); the sizes of that type (d; d and c;
// a and b; the side of a square); socket depth (row 6); frk (row 7); interpolation
// basis (row 8); the integrity class (row 9) or index (row 10). For each candidate the
// search builds the PileInput the input page would hold:
//   sectionType  as chosen in cbb_jmlx: a square is a rectangle with two equal sides;
//   d and a      FormatGeneral(d or a)  (the text of cbe_dd; both fields hold it);
//   c and b      FormatGeneral(c or b), "0" for a circular pile (cbe_tyzd);
//   one layer    layer row 0 of the page, with lr = FormatFixed(h / 1000, 10, 2)
//                (h the depth in mm: the value itself, or k times d, the smaller
//                side of a rectangle, the side of a square), frk = FormatFixed(frk,
//                10, 2), and the class text (basis 1) or FormatFixed(index, 10, 2)
//                (basis 2); the cell the candidate does not write keeps the text an
//                earlier candidate (or the page) left there;
//   StrengthMode 1, CoefficientMode 1, the basis of the candidate;
//   boredPile, reductionFactor, softRockExposed and the weathering text of layer
//   row 0 from the page, unchanged.
// The listed texts are those the compute run writes for that input (LayerCellWrites,
// FormatResultFields), read back as numbers where the grid reads them.
//
// Nothing here touches a control and no report is appended; the search can run in a
// worker thread, with progress and cancellation through SearchControl. A wide search
// is computed on every core: the candidates are cut into chunks of consecutive
// positions, each thread rebuilds the input of a chunk's first candidate from its
// position (SearchPlan) and walks on from there, and the keys land in their places in
// search order. Rows, order, texts, the failing candidate and the state left on the
// input page are those of the candidate-by-candidate search.

#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>

#include "core/ComputePile.h"
#include "core/PileInput.h"
#include "report/Texts.h"
#include "search/CandidateList.h"
#include "search/SearchItems.h"

namespace rockpile {

// The largest search that is run. A listed candidate keeps 16 bytes (and its place in
// the orders of the grids), so this bounds the memory of a search to a few hundred
// megabytes; a wider search is refused before anything is computed, with a message
// naming its count.
inline constexpr std::uint64_t kMaxCandidates = 10'000'000;

// The number of candidates of a search, from the counts of the items: summed over the
// section types of row 0, the product of the counts of its size rows, of rows 6 and 7,
// and of the sum over the basis codes of row 8 of the count of row 9 (code 1) or 10
// (code 2). Saturates at the largest uint64 value.
std::uint64_t CandidateCount(const SearchItems& items);

// "计算完成，桩数：" + FormatGeneral(n) + " 根".
std::string SearchCompletedMessage(std::uint64_t n);

// Searches of at least this many candidates are computed on several threads.
inline constexpr std::uint64_t kParallelSearchAbove = 8192;

struct SearchControl {
    // Checked before every candidate; a requested stop ends the search as Cancelled.
    std::stop_token stop;
    // Called from the thread that called RunDesignSearch with (candidates done, total).
    // On one thread: at every multiple of progressInterval. On several: whenever the
    // count of candidates done has passed another multiple of progressInterval. In
    // both, at the end of a completed search if that last count was not reported.
    std::function<void(std::uint64_t done, std::uint64_t total)> progress;
    std::uint64_t progressInterval = 4096;
    std::uint64_t maxCandidates = kMaxCandidates;
    // Threads computing the candidates: 0 for one per core. Searches of fewer than
    // parallelAbove candidates run on the calling thread alone.
    unsigned threads = 0;
    std::uint64_t parallelAbove = kParallelSearchAbove;
    // Candidates per piece of work on several threads; 0 chooses by the count.
    std::uint64_t chunkSize = 0;
};

enum class SearchEnd {
    Completed,          // every candidate listed; the rows are numbered ZH-...
    Diagnostic,         // a candidate failed a check of the compute run; rows so far, plain numbers
    Cancelled,          // the stop token was set; the caller restores the page as it was
                        // (the rows are those listed without a gap from the first)
    TooManyCandidates,  // refused before anything was computed; nothing else changes
};

struct SearchOutcome {
    SearchEnd end = SearchEnd::Completed;
    std::uint64_t total = 0;    // CandidateCount of the items
    CandidateList candidates;   // the rows listed, in search order

    // The candidate last written into the input page, as written (before the compute
    // run's corrections), and the outcome of its calculation: after Completed the last
    // candidate, after Diagnostic the failing one. Applying lastOutcome to lastInput as
    // the compute run does (events, corrections, layer cells, result fields) leaves the
    // input page as the search would leave it. Empty after TooManyCandidates and
    // Cancelled.
    std::optional<PileInput> lastInput;
    std::optional<ComputeOutcome> lastOutcome;

    // For lb_YHxingxi: Completed "计算完成，桩数：… 根" in black; Diagnostic
    // kRunAbortedText in red; TooManyCandidates the refusal in red; Cancelled empty.
    std::string message;
    Argb messageColour = kBlack;
};

// Runs the search over items read by ReadSearchItems. `page` is the input page as it
// stands (its options and layer row 0 are used as described above); `precisionMode`
// is the PrecisionMode of the result fields (formats the Ra texts of column 4).
//
// After Completed the caller: shows the rows, disables "计算", enables "筛选" and
// "存盘", resets both sort states to 0 and the Ra headers of both grids to
// PadLeft("Ra(kN)", ' ', 8). After Diagnostic the buttons, sort states and headers stay.
SearchOutcome RunDesignSearch(const SearchItems& items, const PileInput& page, int precisionMode,
                              const SearchControl& control = {});

}  // namespace rockpile
