#pragma once
// The lines of one calculation in the two reports, built from a snapshot of the input
// page and the result; ReportModel places them. Internal to report/.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/Reports.h"
#include "report/Texts.h"

namespace rockpile {

// The separators of the text report.
inline constexpr std::string_view kTextClosingLine = "==================================================";

// The header (five lines) and the fixed footer lines (three, before the time stamp
// line) of the table report.
std::vector<std::string> TableReportHeader();
std::vector<std::string> TableReportFooter();

// A rectangle whose two sides read as equal numbers: shown as a square.
bool IsSquareSection(const ReportSnapshot& snapshot);

// The table report row of calculation `entryNumber`.
std::string TableReportRow(const ReportSnapshot& snapshot, const PileResult& result,
                           int entryNumber);

// The text report entry of calculation `entryNumber`, from its title line down to its
// closing "=" line (the time stamp line is the model's). Nothing when a layer cell
// that the entry reads as a number does not convert.
std::optional<std::vector<std::string>> TextReportEntry(const ReportSnapshot& snapshot,
                                                        const PileResult& result,
                                                        int entryNumber);

}  // namespace rockpile
