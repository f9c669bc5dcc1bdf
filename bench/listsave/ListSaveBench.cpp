// Saving a list of 10^6 candidates as the search page does it: in a worker thread while
// the event loop turns. Prints the time of the save, the extra peak memory (resident
// set) it needed, and the longest time the event loop went without running a timer.
//
//   ListSaveBench [search|given [rows [copy]]]
//
// "search" (the default) saves the list of a wide design search of 10^6 candidates,
// whose rows keep their sort keys only and are computed again for their texts, as the
// search page holds it; "given" saves a list of `rows` rows (10^6 unless told) given
// whole (no calculation per row), which shows the cost of the file alone. With `copy`
// the saved file is copied there, to compare the bytes of two builds.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include "bench/BenchItems.h"
#include "core/PileInput.h"
#include "files/ResultFile.h"
#include "report/Format.h"
#include "search/DesignSearch.h"
#include "ui/BackgroundTask.h"
#include "ui/ListSaveTask.h"

namespace {

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM").
long StatusKiB(const char* field)
{
    long value = 0;
    if (FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        const std::size_t length = std::strlen(field);
        while (std::fgets(line, sizeof line, status))
            if (std::strncmp(line, field, length) == 0 && line[length] == ':') value = std::atol(line + length + 1);
        std::fclose(status);
    }
    return value;
}

// Processor time of the whole process so far (all threads, user and system), in ms.
double ProcessorMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (double(usage.ru_utime.tv_sec) + double(usage.ru_stime.tv_sec)) * 1e3 +
           (double(usage.ru_utime.tv_usec) + double(usage.ru_stime.tv_usec)) / 1e3;
}

// Sets the peak resident set back to the present one, so that the peak of the search
// that made the list does not hide the peak of the save.
void ResetPeakResident()
{
    if (FILE* clear = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", clear);
        std::fclose(clear);
    }
}

// Circular piles: 1000 diameters x 10 depths x 10 strengths x (5 classes + 5 indices).
std::shared_ptr<rockpile::CandidateList> SearchList()
{
    const rockpile::SearchItems items = rockpile::ReadItems({
        {rockpile::itemrow::SectionType, "1", "1", "1"},
        {rockpile::itemrow::Diameter, "1000", "10990", "10"},
        {rockpile::itemrow::SocketDepth, "1.0d", "10.0d", "1.0d"},
        {rockpile::itemrow::Frk, "10", "100", "10"},
        {rockpile::itemrow::Basis, "1", "2", "1"},
        {rockpile::itemrow::IntegrityClass, "1", "5", "1"},
        {rockpile::itemrow::IntegrityIndex, "0.10", "0.50", "0.10"},
    });
    rockpile::SearchOutcome outcome =
        rockpile::RunDesignSearch(items, rockpile::PileInput::StartDefaults(), rockpile::kUnits);
    auto list = std::make_shared<rockpile::CandidateList>(std::move(outcome.candidates));
    list->Number();
    return list;
}

std::shared_ptr<rockpile::CandidateList> GivenList(std::size_t rows)
{
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
    return list;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bool given = argc > 1 && std::string(argv[1]) == "given";
    const std::size_t rows = argc > 2 ? std::size_t(std::atoll(argv[2])) : 1'000'000;
    const auto list = given ? GivenList(rows) : SearchList();
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

    ResetPeakResident();
    const long before = StatusKiB("VmRSS");
    const double processorBefore = ProcessorMs();
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
    const double processor = ProcessorMs() - processorBefore;
    std::printf("%s list, rows %zu: written %d, %lld ms (processor %.0f ms), extra peak memory %ld KiB, longest event loop block %lld ms, %lld bytes\n",
                given ? "given" : "search", list->size(), int(outcome.written), (long long)took, processor, StatusKiB("VmHWM") - before, (long long)longest,
                (long long)QFileInfo(job.path).size());
    if (argc > 3) QFile::copy(job.path, QString::fromLocal8Bit(argv[3]));
    return outcome.written ? 0 : 1;
}
