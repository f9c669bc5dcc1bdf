#pragma once
// The text calculation report and the table report, held as lines.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/ComputePile.h"

namespace rockpile {

// What the reports read of the input page after a completed calculation: texts of
// controls as they stand on screen (after the run's corrections), item indices and
// selected item texts of the combos, check box states and the layer table rows.
// Indices are -1 where nothing is selected.
struct ReportSnapshot {
    SectionType section = SectionType::Circular;  // cbb_jmlx: item index + 1
    std::string ddText;                  // cbe_dd
    std::string tyzdText;                // cbe_tyzd
    std::string reductionFactorText;     // cbe_zhuanchongkong
    std::string layerCountItemText;      // cbb_yanchengshu
    StrengthMode strengthMode = StrengthMode::CompressiveStrength;  // cbb_qiangduzhi
    std::string strengthItemText;
    CoefficientMode coefficientMode = CoefficientMode::Automatic;    // cbb_chezhuxishu
    std::string coefficientItemText;
    InterpolationBasis interpolationBasis = InterpolationBasis::IntegrityClass;  // cbb_wanzhengchengdu
    std::string basisItemText;
    bool boredPile = true;               // ckb_dixiashui
    bool softRockExposed = true;         // ckb_ruanzhiyan
    int precisionMode = 2;               // popbox_jingdu item index
    std::vector<std::array<std::string, col::Count>> rows;  // layer table rows 0..n-1
};

// The two reports. Either report, as shown and as saved, is its head lines, then the
// lines of every entry in order, then its tail lines, which carry the time stamp of the
// last calculation. ReportModel holds them whole; a tool that writes a long run to files
// writes the same pieces as they come (head with the first entry, tail at the end).
enum class ReportType { Text, Table };

// The lines one completed calculation adds to the two reports.
struct ReportEntry {
    std::vector<std::string> textLines;   // the text report entry, title line to closing line
    std::vector<std::string> tableLines;  // the table report row (one line)

    const std::vector<std::string>& lines(ReportType kind) const
    {
        return kind == ReportType::Text ? textLines : tableLines;
    }
};

// Entry `entryNumber` (ZH1, ZH2, ...) of a completed calculation; nothing when a layer
// cell that the entry reads as a number does not convert.
std::optional<ReportEntry> MakeReportEntry(const ReportSnapshot& snapshot, const PileResult& result,
                                           int entryNumber);
// The lines before the first entry (the table report's header; none for the text report).
std::vector<std::string> ReportHead(ReportType kind);
// The lines after the last entry, which was calculated at `timeStamp` (the table
// report's footer, then for both the time stamp line).
std::vector<std::string> ReportTail(ReportType kind, const std::string& timeStamp);

// The two reports of one program run. ReportCount is the number of calculations both
// hold; entries are numbered ZH1, ZH2, ... by their position.
class ReportModel {
public:
    // The report step: appends the table report row and then the text report entry
    // of a completed calculation. The entry is built whole before anything is
    // appended. Returns false (and changes nothing) when a layer cell that must be a
    // number is not one.
    bool AppendReports(const ReportSnapshot& snapshot, const PileResult& result,
                       const std::string& timeStamp);
    // Removes the last calculation from both reports; with one or none held, empties both.
    void DeleteLastEntry();

    int reportCount() const { return reportCount_; }
    const std::vector<std::string>& textLines() const { return textLines_; }
    const std::vector<std::string>& tableLines() const { return tableLines_; }

private:
    int reportCount_ = 0;
    std::vector<std::string> textLines_;
    std::vector<std::string> tableLines_;
};

}  // namespace rockpile
