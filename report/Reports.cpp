#include "report/Reports.h"

#include "report/ReportLines.h"

namespace rockpile {

bool ReportModel::AppendReports(const ReportSnapshot& snapshot, const PileResult& result,
                                const std::string& timeStamp)
{
    const int entryNumber = reportCount_ + 1;
    // Everything is built before either report changes, so that a cell that does not
    // convert leaves both reports and the count as they were.
    std::optional<std::vector<std::string>> entry = TextReportEntry(snapshot, result, entryNumber);
    if (!entry) return false;
    std::string row = TableReportRow(snapshot, result, entryNumber);
    const std::string timeLine = std::string(kTimeStampPrefix) + timeStamp;

    reportCount_ = entryNumber;

    // Table report: the header comes with the first row; later rows replace the
    // footer, which then follows them again.
    if (reportCount_ == 1) {
        tableLines_ = TableReportHeader();
    } else {
        tableLines_.resize(tableLines_.size() >= 4 ? tableLines_.size() - 4 : 0);
    }
    tableLines_.push_back(std::move(row));
    for (std::string& line : TableReportFooter()) tableLines_.push_back(std::move(line));
    tableLines_.push_back(timeLine);

    // Text report: the previous entry's time stamp line gives way to the new entry,
    // so that exactly one time stamp line closes the report.
    if (entryNumber > 1 && !textLines_.empty()) textLines_.pop_back();
    textLines_.insert(textLines_.end(), std::make_move_iterator(entry->begin()),
                      std::make_move_iterator(entry->end()));
    textLines_.push_back(timeLine);
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
