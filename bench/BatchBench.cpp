// The batch calculator on a schedule of 100,000 piles of 1 to 9 layers: reading the
// schedule, computing every pile and writing the summary only, or both reports too.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include "batch/BatchCalculator.h"
#include "io/Schedule.h"
#include "report/Texts.h"

namespace {

constexpr int kPiles = 100000;

// A schedule of every section, strength and coefficient mode and layer count 1..9.
QByteArray ScheduleBytes()
{
    const auto& sections = rockpile::kSectionItems;
    static const char* const integrity[] = {"完整", "较完整", "较破碎", "破碎", "极破碎"};
    QByteArray bytes = rockpile::ScheduleHeader(9).toUtf8() + "\r\n";
    for (int i = 0; i < kPiles; ++i) {
        const int layers = 1 + i % 9;
        const int section = i % 3;
        const int strength = i % 7 == 0 ? 0 : 1;
        QStringList fields = {QStringLiteral("P%1").arg(i + 1), QString::fromUtf8(sections[section]),
                              QString::number(1000 + 100 * (i % 11)),
                              section == 0 ? QString() : QString::number(section == 1 ? 500 : 900 + 100 * (i % 5)),
                              QString::number(strength), QString::number(i % 4), QString::number(i % 2),
                              i % 5 ? QStringLiteral("是") : QStringLiteral("否"), QStringLiteral("0.70"),
                              QStringLiteral("是"), QString::number(layers)};
        for (int k = 0; k < 9; ++k) {
            if (k >= layers) {
                for (int c = 0; c < 9; ++c) fields << QString();
                continue;
            }
            fields << QStringLiteral("%1.00").arg(1 + (i + k) % 3) << QStringLiteral("中风化")
                   << QString::fromUtf8(integrity[(i + k) % 5]) << QStringLiteral("0.%1").arg(3 + (i + k) % 7)
                   << QString::number(10 + (i * 7 + k) % 50) << QStringLiteral("0.45") << QStringLiteral("0.04")
                   << QStringLiteral("6000") << QStringLiteral("600");
        }
        bytes += fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
    }
    return bytes;
}

void RunBatch(benchmark::State& state, bool summaryOnly)
{
    QTemporaryDir dir;
    const QString schedule = dir.filePath(QStringLiteral("schedule.csv"));
    {
        QFile file(schedule);
        if (!file.open(QIODevice::WriteOnly)) state.SkipWithError("cannot write the schedule");
        file.write(ScheduleBytes());
    }
    QString out;
    QString err;
    for (auto _ : state) {
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        rockpile::BatchCalculator calculator(outStream, errStream);
        QStringList arguments = {QStringLiteral("rockpile-batch"), QStringLiteral("-q"), QStringLiteral("-o"),
                                 dir.filePath(QStringLiteral("out")), schedule};
        if (summaryOnly) arguments.insert(1, QStringLiteral("--summary-only"));
        const int status = calculator.execute(arguments);
        if (status != 0) state.SkipWithError(qPrintable(err.left(300)));
        benchmark::DoNotOptimize(status);
    }
    state.counters["piles"] = kPiles;
    state.counters["piles/s"] = benchmark::Counter(kPiles, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Batch100kSummaryOnly(benchmark::State& state) { RunBatch(state, true); }
void BM_Batch100kWithReports(benchmark::State& state) { RunBatch(state, false); }

}  // namespace

BENCHMARK(BM_Batch100kSummaryOnly)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Batch100kWithReports)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
