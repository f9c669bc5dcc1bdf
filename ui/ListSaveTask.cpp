#include "ui/ListSaveTask.h"

#include <new>

#include "files/ResultFile.h"

namespace rockpile {

namespace {

ListSaveOutcome Write(const ListSaveJob& job, std::stop_token stop, const BackgroundTask::Progress& progress,
                      ResultFileWriter& writer)
{
    ListSaveOutcome outcome;
    const CandidateList& list = *job.list;
    const std::vector<std::uint32_t>& order = *job.order;
    const std::uint64_t total = order.size();

    if (!writer.open()) {
        outcome.error = writer.error();
        return outcome;
    }
    for (const std::string& line : ResultFileHeadLines(job.kind))
        if (!writer.writeLine(line)) break;
    for (std::size_t position = 0; position < order.size() && !writer.failed(); ++position) {
        if (position % kSaveProgressInterval == 0) {
            if (stop.stop_requested()) {
                writer.cancel();
                outcome.cancelled = true;
                return outcome;
            }
            if (progress) progress(position, total);
        }
        writer.writeLine(ResultFileRowLine(position, order.size(), list.Texts(order[position])));
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
    ResultFileWriter writer(job.path, LineEnds::AfterEach);
    try {
        return Write(job, stop, progress, writer);
    } catch (const std::bad_alloc&) {
        writer.fail(SaveFailure::OutOfMemory);
    } catch (const std::exception& exception) {
        writer.fail(SaveFailure::Other, QString::fromLocal8Bit(exception.what()));
    }
    ListSaveOutcome outcome;
    // The message is made from short fixed texts; should even that fail, the plain
    // text literal still tells the user.
    try {
        outcome.error = writer.error();
    } catch (...) {
    }
    return outcome;
}

}  // namespace rockpile
