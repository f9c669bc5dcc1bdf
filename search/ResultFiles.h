#pragma once
// The lines of the design search result files: a title, a two-line header between
// rules, one line per candidate in the order shown, a note and the time of saving.
//
// Lines are returned without line ends; the writer writes each one followed by CR LF
// in the legacy code page. A file is ResultFileHeadLines, then ResultFileRowLine for
// each row, then ResultFileTailLines with the time stamp taken after the last row.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "search/CandidateList.h"

namespace rockpile {

enum class ResultFileKind {
    AllCandidates,  // Grid2_Youhuajieguo: "嵌岩桩优化计算原始结果"
    Filtered,       // Grid3_Youhuasaixuan: "嵌岩桩筛选计算筛选结果"
};

// The title, the rule, the two header lines and the rule (5 lines).
std::vector<std::string> ResultFileHeadLines(ResultFileKind kind);

// The line of the row at `position` (0 for the first) of a grid of rowCount rows, from
// the row's 17 cell texts. It starts with the pile number "ZH-" + position + 1, padded
// with "0" to the digits of rowCount (not the candidate's own number of column 0).
std::string ResultFileRowLine(std::size_t position, std::size_t rowCount, const CandidateTexts& cells);
// The same line appended to `line`, for writers that make millions of lines into one
// reused buffer.
void AppendResultFileRowLine(std::string& line, std::size_t position, std::size_t rowCount,
                             const CandidateTexts& cells);

// The rule, the note, the closing rule of "=" and "计算时间：" + timeStamp (4 lines).
std::vector<std::string> ResultFileTailLines(const std::string& timeStamp);

// A whole file as lines.
std::vector<std::string> ResultFileLines(ResultFileKind kind, std::span<const CandidateTexts> rows,
                                         const std::string& timeStamp);
std::vector<std::string> ResultFileLines(ResultFileKind kind, const CandidateList& list,
                                         std::span<const std::uint32_t> order, const std::string& timeStamp);

}  // namespace rockpile
