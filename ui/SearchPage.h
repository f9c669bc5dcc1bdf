#pragma once
// Limits of the design search page that decide where its work runs.
//
// A search or a sort that could hold up the window for more than about half a second
// runs in a worker thread: the page shows its progress in pb_YH_jingdu and takes no
// other action meanwhile, and a search can be cancelled with the button that reads
// "取消" while it runs. Smaller work runs within the click.

#include <cstddef>
#include <cstdint>

namespace rockpile {

// Searches of more candidates than this run in the worker: about 0.08 s of work in an
// optimised build and half a second in a debugging one.
inline constexpr std::uint64_t kSearchInWorkerAbove = 50'000;

// A first click on the d|a or the Ra header sorts a list of more rows than this in the
// worker (0.15 s optimised, 0.3 s debugging); the further clicks only reverse the rows
// and always run within the click.
inline constexpr std::size_t kSortInWorkerAbove = 500'000;

// The text of "计算" on the search page while a search runs in the worker.
inline constexpr const char* kCancelSearchText = "取消";

}  // namespace rockpile
