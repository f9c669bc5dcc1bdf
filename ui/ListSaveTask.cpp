#include "ui/ListSaveTask.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

#include "files/GbkEncoder.h"
#include "files/ResultFile.h"

namespace rockpile {

namespace {

// Rows made into one block of GBK bytes (about 170 KB): small enough for a quick stop
// and fine progress, large enough that handing blocks over costs nothing.
constexpr std::size_t kBlockRows = 1024;

// A block of rows made by one thread.
struct RowBlock {
    std::string bytes;          // the GBK lines, each with CR LF
    std::uint64_t rows = 0;
    bool ready = false;
    // The first row GBK cannot hold: its position in the block and its line.
    bool unencodable = false;
    std::uint64_t badRow = 0;
    std::string badLine;
    // A failure while the block was made (memory ran out).
    bool outOfMemory = false;
    bool otherFailure = false;
    QString otherText;
};

// What one thread needs to make rows, kept from block to block: the GBK table, the
// texts of the last row and its line (whose string keeps its room).
struct RowMaker {
    explicit RowMaker(const CandidateList& list) : texts(list) {}
    GbkEncoder encoder;
    CandidateList::TextMaker texts;
    std::string line;
};

// The rows of a save made in blocks on every core and handed to the one thread that
// writes them, in order. At most `slots` blocks exist at once, so the memory of a save
// does not grow with the list: block b is made in slot b % slots once block b - slots
// has been written.
class RowBlockPipeline {
public:
    RowBlockPipeline(const ListSaveJob& job, std::size_t helpers)
        : list_(*job.list), order_(*job.order), blockCount_((order_.size() + kBlockRows - 1) / kBlockRows),
          slots_(2 * (helpers + 1))
    {
    }

    std::uint64_t blockCount() const { return blockCount_; }

    // A helper thread: makes blocks until none is left or the save ends.
    void help()
    {
        // Without memory for its own maker a helper makes no rows: the writing thread
        // makes them all if need be, and reports its own failure.
        std::unique_ptr<RowMaker> own;
        try {
            own = std::make_unique<RowMaker>(list_);
        } catch (const std::exception&) {
            return;
        }
        RowMaker& maker = *own;
        for (;;) {
            std::uint64_t block = 0;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return ended_ || nextToMake_ >= blockCount_ || hasRoom(); });
                if (ended_ || nextToMake_ >= blockCount_) return;
                block = nextToMake_++;
            }
            make(block, maker);
        }
    }

    // The writing thread: waits for block `block` (the next to write), making blocks
    // itself while it has nothing to write. Returns the slot of the block.
    RowBlock& await(std::uint64_t block, RowMaker& maker)
    {
        for (;;) {
            std::uint64_t toMake = 0;
            {
                std::unique_lock lock(mutex_);
                RowBlock& slot = slots_[block % slots_.size()];
                if (slot.ready) return slot;
                if (nextToMake_ < blockCount_ && hasRoom()) {
                    toMake = nextToMake_++;
                } else {
                    changed_.wait(lock, [&] { return slot.ready || (nextToMake_ < blockCount_ && hasRoom()); });
                    continue;
                }
            }
            make(toMake, maker);
        }
    }

    // Block `block` has been written: its slot may take the block `slots` further on.
    void written(std::uint64_t block)
    {
        {
            std::lock_guard lock(mutex_);
            RowBlock& slot = slots_[block % slots_.size()];
            slot.ready = false;
            slot.bytes.clear();
            nextToWrite_ = block + 1;
        }
        changed_.notify_all();
    }

    // Ends the work of the helpers (after the last block, a stop or a failure).
    void end()
    {
        {
            std::lock_guard lock(mutex_);
            ended_ = true;
        }
        changed_.notify_all();
    }

private:
    bool hasRoom() const { return nextToMake_ < nextToWrite_ + slots_.size(); }

    void make(std::uint64_t block, RowMaker& maker)
    {
        std::string& line = maker.line;
        RowBlock& slot = slots_[block % slots_.size()];
        // The slot is this thread's alone until it is marked ready.
        slot.rows = 0;
        slot.unencodable = slot.outOfMemory = slot.otherFailure = false;
        try {
            const std::size_t first = std::size_t(block) * kBlockRows;
            const std::size_t last = std::min(order_.size(), first + kBlockRows);
            for (std::size_t position = first; position < last; ++position) {
                line.clear();
                AppendResultFileRowLine(line, position, order_.size(), maker.texts.Texts(order_[position]));
                const std::size_t size = slot.bytes.size();
                if (!maker.encoder.append(line, slot.bytes)) {
                    slot.bytes.resize(size);
                    slot.unencodable = true;
                    slot.badRow = position - first;
                    slot.badLine = line;
                    break;
                }
                slot.bytes += "\r\n";
                ++slot.rows;
            }
        } catch (const std::bad_alloc&) {
            slot.outOfMemory = true;
        } catch (const std::exception& exception) {
            slot.otherFailure = true;
            try {
                slot.otherText = QString::fromLocal8Bit(exception.what());
            } catch (...) {
            }
        }
        {
            std::lock_guard lock(mutex_);
            slot.ready = true;
        }
        changed_.notify_all();
    }

    const CandidateList& list_;
    const std::vector<std::uint32_t>& order_;
    const std::uint64_t blockCount_;
    std::vector<RowBlock> slots_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t nextToMake_ = 0;
    std::uint64_t nextToWrite_ = 0;
    bool ended_ = false;
};

// Helper threads that make rows: one per core besides the writing thread, which makes
// rows too while it waits.
std::size_t HelperCount(std::size_t rows)
{
    if (rows <= kBlockRows) return 0;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return std::min<std::size_t>({cores - 1, 15, (rows + kBlockRows - 1) / kBlockRows - 1});
}

// The helpers are joined when this ends, after they have been told to stop.
struct Helpers {
    RowBlockPipeline& pipeline;
    std::vector<std::jthread> threads;
    ~Helpers()
    {
        pipeline.end();
        threads.clear();
    }
};

ListSaveOutcome Write(const ListSaveJob& job, std::stop_token stop, const BackgroundTask::Progress& progress,
                      ResultFileWriter& writer)
{
    ListSaveOutcome outcome;
    const std::vector<std::uint32_t>& order = *job.order;
    const std::uint64_t total = order.size();

    if (!writer.open()) {
        outcome.error = writer.error();
        return outcome;
    }
    for (const std::string& line : ResultFileHeadLines(job.kind))
        if (!writer.writeLine(line)) break;

    const std::size_t wanted = HelperCount(order.size());
    RowBlockPipeline pipeline(job, wanted);
    {
        Helpers helpers{pipeline, {}};
        try {
            for (std::size_t i = 0; i < wanted; ++i) helpers.threads.emplace_back([&pipeline] { pipeline.help(); });
        } catch (const std::exception&) {
            // No room for another thread: the threads there are (the writing one at
            // least) make the rows.
        }
        RowMaker maker(*job.list);
        std::uint64_t done = 0;
        std::uint64_t reported = 0;
        for (std::uint64_t block = 0; block < pipeline.blockCount() && !writer.failed(); ++block) {
            if (stop.stop_requested()) {
                writer.cancel();
                outcome.cancelled = true;
                return outcome;
            }
            if (progress && (block == 0 || done - reported >= kSaveProgressInterval)) {
                progress(done, total);
                reported = done;
            }
            RowBlock& slot = pipeline.await(block, maker);
            if (slot.unencodable) {
                writer.failUnencodable(slot.badLine, slot.badRow);
                break;
            }
            if (!writer.writeEncoded(slot.bytes, slot.rows)) break;
            if (slot.outOfMemory) {
                writer.fail(SaveFailure::OutOfMemory);
            } else if (slot.otherFailure) {
                writer.fail(SaveFailure::Other, slot.otherText);
            }
            done += slot.rows;
            pipeline.written(block);
        }
    }
    if (!writer.failed()) {
        for (const std::string& line : ResultFileTailLines(job.timeStamp()))
            if (!writer.writeLine(line)) break;
    }
    if (!writer.failed() && writer.commit()) {
        if (progress) progress(total, total);
        outcome.written = true;
        return outcome;
    }
    outcome.error = writer.error();
    return outcome;
}

}  // namespace

ListSaveOutcome SaveCandidateList(const ListSaveJob& job, std::stop_token stop,
                                  const BackgroundTask::Progress& progress)
{
    // The message of running out of memory is made first, while there is memory for it:
    // when it runs out later, even a short text may not be made any more. Should even
    // this fail, a text literal (which needs no memory) still tells the user.
    ListSaveOutcome outOfMemory;
    try {
        outOfMemory.error = SaveFailureMessage(job.path, SaveFailure::OutOfMemory, {});
    } catch (...) {
        outOfMemory.error = QStringLiteral("文件无法保存\n内存不足");
    }
    try {
        ResultFileWriter writer(job.path, LineEnds::AfterEach);
        try {
            return Write(job, stop, progress, writer);
        } catch (const std::bad_alloc&) {
            // The blocks and threads of the save are gone by now; the temporary file goes
            // with the writer.
            writer.cancel();
            return outOfMemory;
        } catch (const std::exception& exception) {
            writer.fail(SaveFailure::Other, QString::fromLocal8Bit(exception.what()));
            ListSaveOutcome outcome;
            outcome.error = writer.error();
            return outcome;
        }
    } catch (...) {
        return outOfMemory;
    }
}

}  // namespace rockpile
