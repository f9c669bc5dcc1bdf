// Saving a list of 10^6 candidates as the search page does it: in a worker thread while
// the event loop turns. Prints the time of the save, the extra peak memory (resident
// set) it needed, and the longest time the event loop went without running a timer.

#include <cstdio>
#include <memory>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include "files/ResultFile.h"
#include "ui/BackgroundTask.h"
#include "ui/ListSaveTask.h"

namespace {

long PeakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::size_t rows = argc > 1 ? std::size_t(std::atoll(argv[1])) : 1'000'000;
    auto list = std::make_shared<rockpile::CandidateList>("中风化", 2);
    list->Reserve(rows);
    for (std::size_t i = 0; i < rows; ++i) {
        rockpile::CandidateRow row;
        row.section = std::uint8_t(1 + i % 4);
        row.size1 = 800 + double(i % 1000);
        row.size2 = 500;
        row.depth = 1 + double(i % 7);
        row.frk = 25;
        row.c1 = 0.42;
        row.c2 = 0.042;
        row.sumRria = 4618;
        row.raCell = 16163;
        row.rpaCell = 11545;
        row.ra = 16163;
        row.integrityClass = std::uint8_t(1 + i % 5);
        list->Append(row);
    }
    list->Number();
    const std::vector<std::uint32_t> order = rockpile::SearchOrder(*list);
    QTemporaryDir dir;
    rockpile::ListSaveJob job;
    job.list = list;
    job.order = &order;
    job.path = rockpile::ResultFilePath(dir.path(), rockpile::SearchResultFileName());
    job.timeStamp = [] { return std::string("2026/3/5 14:07:09"); };
    // Warm the converter as a running program has it.
    QByteArray warm;
    QString error;
    rockpile::EncodeLines({"嵌岩桩"}, rockpile::LineEnds::Between, warm, error);

    const long before = PeakResidentKiB();
    rockpile::ListSaveOutcome outcome;
    rockpile::BackgroundTask task([&](std::stop_token stop, const rockpile::BackgroundTask::Progress& progress) {
        outcome = rockpile::SaveCandidateList(job, stop, progress);
    });
    QElapsedTimer clock;
    qint64 last = 0, longest = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    QObject::connect(&task, &rockpile::BackgroundTask::finished, &app, &QCoreApplication::quit);
    clock.start();
    ticker.start();
    task.start();
    app.exec();
    const qint64 took = clock.elapsed();
    task.wait();
    std::printf("rows %zu: written %d, %lld ms, extra peak memory %ld KiB, longest event loop block %lld ms, %lld bytes\n",
                rows, int(outcome.written), (long long)took, PeakResidentKiB() - before, (long long)longest,
                (long long)QFileInfo(job.path).size());
    return outcome.written ? 0 : 1;
}
