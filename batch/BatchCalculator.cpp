#include "batch/BatchCalculator.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include "batch/ReportFiles.h"
#include "core/ComputePile.h"
#include "files/ResultFile.h"
#include "io/InputFile.h"
#include "io/Schedule.h"
#include "report/Format.h"
#include "report/PageAfterRun.h"
#include "report/RunTexts.h"
#include "report/Texts.h"

#ifndef ROCKPILE_VERSION
#define ROCKPILE_VERSION "0"
#endif

namespace rockpile {

namespace {

const QString kProgram = QStringLiteral("rockpile-batch");

QString Q(const std::string& text) { return QString::fromStdString(text); }

// One pile to compute and where it came from.
struct Job {
    QString source;  // file name
    int line = 0;    // schedule line, 0 for an input file
    PageInputs inputs;
    QString error;   // the pile's inputs could not be read
};

QString HelpText()
{
    return QStringLiteral(
        "用法: rockpile-batch [选项] -o 输出文件夹 文件...\n"
        "\n"
        "按桩表（.csv）或输入文件（.json）批量计算嵌岩桩单桩竖向承载力特征值，\n"
        "在输出文件夹中写出计算书（文本、表格，与主程序依次计算这些桩后存盘的文件逐字节相同）\n"
        "和汇总表。\n"
        "\n"
        "选项:\n"
        "  -o, --output <文件夹>    输出文件夹，不存在时新建\n"
        "  -p, --precision <0-4>    结果精度：0 两位小数，1 一位小数，2 个位取整（默认），\n"
        "                           3 十位取整，4 百位取整；输入文件（.json）不给此项时用文件中的精度\n"
        "  -s, --summary-only       只写汇总表，不写计算书\n"
        "  -q, --quiet              不显示进度\n"
        "  -h, --help               显示本说明\n"
        "  -v, --version            显示版本\n"
        "\n"
        "退出状态: 0 全部计算并存盘；1 有桩计算中止或文件无法读写；2 命令行有错。\n");
}

// A CSV field, quoted when it holds a separator, a quote or a line break.
QString CsvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace

QString SummaryFileName() { return QStringLiteral("嵌岩桩批量计算汇总.csv"); }

PileRun RunPile(const PageInputs& inputs, ReportModel* reports, const std::string& timeStamp)
{
    if (!reports) return RunPile(inputs, ReportStep());
    return RunPile(inputs, [&](const ReportSnapshot& snapshot, const PileResult& result) {
        return reports->AppendReports(snapshot, result, timeStamp) ? reports->reportCount() : 0;
    });
}

PileRun RunPile(const PageInputs& inputs, const ReportStep& report)
{
    PileRun run;
    const PileInput& pile = inputs.pile;
    const bool rectangle = pile.sectionType == SectionType::Rectangle;
    run.sizeText1 = rectangle ? pile.a : pile.d;
    run.sizeText2 = rectangle ? pile.b : pile.c;

    const ComputeOutcome outcome = ComputePile(pile);
    // The status line as the run leaves it: the last message after the last emptying.
    for (const StatusEvent& event : outcome.events) {
        if (event.type == StatusEvent::Type::ShowMessage) run.message = event.text;
        if (event.type == StatusEvent::Type::ClearStatusLine) run.message.clear();
    }
    for (const Correction& correction : outcome.corrections)
        if (correction.kind == Correction::Kind::ExchangeSides) {
            run.sizeText1 = FormatGeneral(correction.newA);
            run.sizeText2 = FormatGeneral(correction.newB);
        }
    if (outcome.stopped()) {
        run.message = *outcome.stopError;
        return run;
    }
    const ResultFieldTexts fields = FormatResultFields(outcome.result, inputs.precisionMode);
    run.rpa = fields.rpa;
    run.ra = fields.ra;
    run.percent = fields.percent;
    run.verdict = outcome.result.verdict;
    if (report) {
        run.entryNumber = report(SnapshotAfterRun(pile, outcome, inputs.precisionMode), outcome.result);
        if (run.entryNumber == 0) {
            // As in the window: a layer cell that does not read as a number keeps the
            // calculation out of the reports.
            run.message = std::string(kReportRefused);
            return run;
        }
    }
    run.ok = true;
    return run;
}

int BatchCalculator::execute(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                    QStringLiteral("folder"));
    const QCommandLineOption precision(QStringList{QStringLiteral("p"), QStringLiteral("precision")},
                                       QString(), QStringLiteral("mode"));
    const QCommandLineOption summaryOnly(QStringList{QStringLiteral("s"), QStringLiteral("summary-only")});
    const QCommandLineOption quiet(QStringList{QStringLiteral("q"), QStringLiteral("quiet")});
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({output, precision, summaryOnly, quiet, help, version});

    const auto usageError = [&](const QString& text) {
        err_ << kProgram << QStringLiteral(": 错误: ") << text << '\n'
             << QStringLiteral("用 rockpile-batch --help 查看用法。") << '\n';
        err_.flush();
        return 2;
    };
    if (!parser.parse(arguments)) return usageError(parser.errorText());
    if (parser.isSet(help)) {
        out_ << HelpText();
        out_.flush();
        return 0;
    }
    if (parser.isSet(version)) {
        out_ << kProgram << ' ' << QStringLiteral(ROCKPILE_VERSION) << '\n';
        out_.flush();
        return 0;
    }
    int precisionMode = 2;
    const bool precisionGiven = parser.isSet(precision);
    if (precisionGiven) {
        bool ok = false;
        precisionMode = parser.value(precision).toInt(&ok);
        if (!ok || precisionMode < 0 || precisionMode > 4)
            return usageError(QStringLiteral("精度“%1”应为0至4").arg(parser.value(precision)));
    }
    if (!parser.isSet(output)) return usageError(QStringLiteral("缺少输出文件夹（-o 文件夹）"));
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) return usageError(QStringLiteral("没有给出桩表或输入文件"));
    const QString folder = parser.value(output);
    const bool progress = !parser.isSet(quiet) && progressInterval_ > 0;

    int status = 0;
    const auto fault = [&](const QString& text) {
        err_ << kProgram << QStringLiteral(": 错误: ") << text << '\n';
        err_.flush();
        status = 1;
    };

    // Read every file first, so that a bad file is reported before hours of work. A
    // schedule is checked whole here and its rows are read again one at a time as they
    // are computed, so that its length costs no memory.
    struct Source {
        Job job;                                   // an input file
        std::unique_ptr<ScheduleReader> schedule;  // or a schedule
    };
    std::vector<Source> sources;
    qsizetype total = 0;
    for (const QString& path : files) {
        const QString name = QDir::toNativeSeparators(path);
        QString error;
        if (QFileInfo(path).suffix().compare(QLatin1String(kInputFileSuffix), Qt::CaseInsensitive) == 0) {
            Job job{name, 0, PageInputs(), QString()};
            if (!ReadInputFile(path, job.inputs, error)) {
                fault(error);
                continue;
            }
            if (precisionGiven) job.inputs.precisionMode = precisionMode;
            sources.push_back(Source{std::move(job), nullptr});
            ++total;
        } else {
            auto schedule = std::make_unique<ScheduleReader>(path, precisionMode);
            if (!schedule->open(error)) {
                fault(error);
                continue;
            }
            total += schedule->rowCount();
            sources.push_back(Source{Job{name, 0, PageInputs(), QString()}, std::move(schedule)});
        }
    }
    // The piles in order: each input file, then each row of a schedule.
    std::size_t sourceIndex = 0;
    const auto nextJob = [&](Job& job) {
        for (; sourceIndex < sources.size(); ++sourceIndex) {
            Source& source = sources[sourceIndex];
            if (!source.schedule) {
                job = std::move(source.job);
                ++sourceIndex;
                return true;
            }
            ScheduleRow row;
            if (source.schedule->next(row)) {
                job = Job{source.job.source, row.line, std::move(row.inputs), row.error};
                return true;
            }
            if (!source.schedule->error().isEmpty()) fault(source.schedule->error());
            source.schedule.reset();
        }
        return false;
    };

    if (!QDir().mkpath(folder)) {
        fault(QStringLiteral("无法建立输出文件夹“%1”").arg(QDir::toNativeSeparators(folder)));
        return status;
    }

    // Compute in order; a failed pile is reported and the others go on.
    QStringList summary;
    summary << QStringLiteral("文件,行号,桩号,计算书编号,截面,尺寸1(mm),尺寸2(mm),Rpa(kN),Ra(kN),端阻占比,判定,信息");
    const QLocale locale;
    // The reports go to their files entry by entry as the piles are computed.
    std::optional<ReportFiles> reportFiles;
    ReportStep reportStep;
    if (!parser.isSet(summaryOnly)) {
        reportFiles.emplace(folder);
        reportStep = [&](const ReportSnapshot& snapshot, const PileResult& result) {
            return reportFiles->AppendReports(snapshot, result, TimeStamp(clock_(), locale))
                ? reportFiles->reportCount() : 0;
        };
    }
    int failed = 0;
    for (qsizetype i = 0; i < total; ++i) {
        Job job;
        if (!nextJob(job)) break;
        PileRun run;
        if (job.error.isEmpty()) {
            run = RunPile(job.inputs, reportStep);
        } else {
            run.message = job.error.toStdString();
        }
        QString message = Q(run.message);
        if (!run.ok) {
            ++failed;
            // Schedule faults already start with their line; a calculation's message
            // gets the pile's place in front.
            if (job.error.isEmpty()) message = job.line > 0
                ? QStringLiteral("第%1行：%2").arg(job.line).arg(message) : message;
            err_ << kProgram << QStringLiteral(": 错误: ") << job.source << ' ' << message << '\n';
            status = 1;
        }
        const PileInput& pile = job.inputs.pile;
        const int kind = static_cast<int>(pile.sectionType);
        QStringList fields = {
            job.source,
            job.line > 0 ? QString::number(job.line) : QString(),
            Q(job.inputs.pileNumber),
            run.entryNumber > 0 ? QStringLiteral("ZH%1").arg(run.entryNumber) : QString(),
            job.error.isEmpty() && kind >= 1 && kind <= 3 ? QString::fromUtf8(kSectionItems[kind - 1]) : QString(),
            Q(run.sizeText1), Q(run.sizeText2), Q(run.rpa), Q(run.ra), Q(run.percent),
            Q(run.verdict), message,
        };
        for (QString& field : fields) field = CsvField(field);
        summary << fields.join(QLatin1Char(','));
        if (progress && ((i + 1) % progressInterval_ == 0 || i + 1 == total) && total >= progressInterval_) {
            err_ << kProgram << QStringLiteral(": 已计算 %1/%2 根桩").arg(i + 1).arg(total) << '\n';
            err_.flush();
        }
    }

    // The reports as the window saves them: GBK, CR LF between lines. With no pile
    // computed there is nothing to save, and earlier files stay as they are.
    QStringList written;
    if (reportFiles) {
        QStringList errors;
        reportFiles->finish(written, errors);
        for (const QString& error : errors) fault(error);
    }
    // The summary in UTF-8 with a byte order mark, which spreadsheets open as such.
    {
        const QString path = ResultFilePath(folder, SummaryFileName());
        QByteArray bytes("\xEF\xBB\xBF");
        bytes += summary.join(QStringLiteral("\r\n")).toUtf8();
        bytes += "\r\n";
        QString error;
        if (WriteBytes(path, bytes, error))
            written << path;
        else
            fault(error);
    }

    for (const QString& path : written) out_ << QStringLiteral("已写出: ") << path << '\n';
    out_ << QStringLiteral("共%1根桩，计算完成%2根，中止%3根").arg(total).arg(total - failed).arg(failed)
         << '\n';
    out_.flush();
    err_.flush();
    return status;
}

}  // namespace rockpile
