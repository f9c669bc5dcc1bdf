#include "report/Reports.h"

#include "report/ReportLines.h"

namespace rockpile {

std::optional<ReportEntry> MakeReportEntry(const ReportSnapshot& snapshot, const PileResult& result,
                                           int entryNumber)
{
    std::optional<std::vector<std::string>> text = TextReportEntry(snapshot, result, entryNumber);
    if (!text) return std::nullopt;
    return ReportEntry{std::move(*text), {TableReportRow(snapshot, result, entryNumber)}};
}

std::vector<std::string> ReportHead(ReportType kind)
{
    return kind == ReportType::Table ? TableReportHeader() : std::vector<std::string>();
}

std::vector<std::string> ReportTail(ReportType kind, const std::string& timeStamp)
{
    std::vector<std::string> lines = kind == ReportType::Table ? TableReportFooter()
                                                                 : std::vector<std::string>();
    lines.push_back(std::string(kTimeStampPrefix) + timeStamp);
    return lines;
}

bool ReportModel::AppendReports(const ReportSnapshot& snapshot, const PileResult& result,
                                const std::string& timeStamp)
{
    const int entryNumber = reportCount_ + 1;
    // Everything is built before either report changes, so that a cell that does not
    // convert leaves both reports and the count as they were.
    std::optional<ReportEntry> entry = MakeReportEntry(snapshot, result, entryNumber);
    if (!entry) return false;

    reportCount_ = entryNumber;

    // The head comes with the first entry; a later entry takes the place of the tail
    // (its footer and the previous time stamp line), which then follows it again, so
    // that exactly one time stamp line closes each report.
    for (const ReportType kind : {ReportType::Table, ReportType::Text}) {
        std::vector<std::string>& lines = kind == ReportType::Table ? tableLines_ : textLines_;
        std::vector<std::string> tail = ReportTail(kind, timeStamp);
        if (entryNumber == 1)
            lines = ReportHead(kind);
        else
            lines.resize(lines.size() >= tail.size() ? lines.size() - tail.size() : 0);
        const std::vector<std::string>& added = entry->lines(kind);
        lines.insert(lines.end(), added.begin(), added.end());
        lines.insert(lines.end(), std::make_move_iterator(tail.begin()),
                     std::make_move_iterator(tail.end()));
    }
    return true;
}

void ReportModel::DeleteLastEntry()
{
    if (reportCount_ <= 1) {
        reportCount_ = 0;
        tableLines_.clear();
        textLines_.clear();
        return;
    }
    --reportCount_;

    // The last row sits directly above the four footer lines.
    if (tableLines_.size() >= 5) tableLines_.erase(tableLines_.end() - 5);

    // The last entry ends with its closing line directly above the time stamp line;
    // remove lines there until the closing line of the previous entry moves up to it.
    // The time stamp line stays: it keeps the time of the removed calculation.
    if (textLines_.size() >= 2) {
        textLines_.erase(textLines_.end() - 2);
        while (textLines_.size() >= 2 && textLines_[textLines_.size() - 2] != kTextClosingLine)
            textLines_.erase(textLines_.end() - 2);
    }
}

}  // namespace rockpile
