#pragma once
// Saving a design search result list, which can hold millions of rows.
//
// The rows are made in blocks of lines on every core, converted to GBK where they are
// made, and handed in order to the one thread that writes them through the atomic save
// (ResultFileWriter); only a few blocks exist at once, so the memory a save needs does
// not depend on the length of the list. The list itself is only read, through the order
// the grid shows it in. A long list is saved in a worker
// thread; the list is shared with the grid and neither changes while the search page is
// locked for the save. Any failure, running out of memory included, ends as a failed
// save with its message; the list and any earlier file stay as they were.

#include <cstdint>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

#include <QString>

#include "search/CandidateList.h"
#include "search/ResultFiles.h"
#include "ui/BackgroundTask.h"

namespace rockpile {

// Lists up to this many rows are saved within the click (a few tens of milliseconds);
// longer ones in the background with progress and cancel.
inline constexpr std::size_t kSaveListInWorkerAbove = 20'000;
// The save reports its progress every so many rows.
inline constexpr std::uint64_t kSaveProgressInterval = 16'384;

struct ListSaveJob {
    std::shared_ptr<const CandidateList> list;
    // The rows in the order shown; must outlive the save and stay unchanged meanwhile.
    const std::vector<std::uint32_t>* order = nullptr;
    ResultFileKind kind = ResultFileKind::AllCandidates;
    QString path;
    // The time stamp of the last line, taken after the last row has been written.
    std::function<std::string()> timeStamp;
};

struct ListSaveOutcome {
    bool written = false;
    bool cancelled = false;  // stopped on request: nothing written, no message
    QString error;           // the message of a failed save
};

// Writes the file of `job`. Never throws.
ListSaveOutcome SaveCandidateList(const ListSaveJob& job, std::stop_token stop = {},
                                  const BackgroundTask::Progress& progress = {});

}  // namespace rockpile
