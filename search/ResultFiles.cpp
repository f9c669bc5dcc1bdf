#include "search/ResultFiles.h"

#include "report/Format.h"
#include "report/Texts.h"

namespace rockpile {

namespace {

const std::string kRule(160, '-');
const std::string kClosingRule(160, '=');

using layout::C;
using layout::L;
using layout::S;

}  // namespace

std::vector<std::string> ResultFileHeadLines(ResultFileKind kind)
{
    const std::string title = kind == ResultFileKind::AllCandidates ? " 嵌岩桩优化计算原始结果 " : " 嵌岩桩筛选计算筛选结果 ";
    return {
        std::string(67, '=') + title + std::string(69, '='),
        kRule,
        " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  嵌岩深度  岩石强度  完整程度  端阻系数  侧阻系数  "
        "嵌岩侧阻  嵌岩侧阻  嵌岩端阻  嵌岩端阻  桩承载力 ",
        " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)     hr(m)   frk(MPa)  或 指 数     c1        c2   "
        "   Rsa(kN)  占百分比   Rpa(kN)  占百分比   Ra(kN)  ",
        kRule,
    };
}

namespace {

// The layout's C, L and S, appended in place.
void AppendCentred(std::string& line, std::string_view text, int width)
{
    const int n = width - DisplayWidth(text);
    // The odd filler goes to the left.
    const int right = n > 0 ? n / 2 : 0;
    const int left = n > 0 ? n - right : 0;
    line.append(std::size_t(left), ' ');
    line.append(text);
    line.append(std::size_t(right), ' ');
}

void AppendRight(std::string& line, std::string_view text, int width)
{
    const int n = width - DisplayWidth(text);
    if (n > 0) line.append(std::size_t(n), ' ');
    line.append(text);
}

void AppendBlanks(std::string& line, int count) { line.append(std::size_t(count), ' '); }

}  // namespace

std::string ResultFileRowLine(std::size_t position, std::size_t rowCount, const CandidateTexts& cells)
{
    std::string line;
    AppendResultFileRowLine(line, position, rowCount, cells);
    return line;
}

void AppendResultFileRowLine(std::string& line, std::size_t position, std::size_t rowCount,
                             const CandidateTexts& cells)
{
    const auto none = [&line] {
        AppendCentred(line, "-", 8);
        AppendBlanks(line, 2);
    };
    const auto centred = [&line](const std::string& text, int width, int blanks) {
        AppendCentred(line, text, width);
        AppendBlanks(line, blanks);
    };
    const auto right = [&line](const std::string& text, int width, int blanks) {
        AppendRight(line, text, width);
        AppendBlanks(line, blanks);
    };
    AppendBlanks(line, 1);
    centred(PileNumber(position, rowCount), 8, 2);
    const std::string& section = cells[candcol::Section];
    centred(section, 8, 2);
    if (section == SectionName(SectionType::Circular, SectionNameStyle::Column)) {
        right(cells[candcol::Size1], 6, 4);
        none();
        none();
        none();
    } else if (section == SectionName(SectionType::Ellipse, SectionNameStyle::Column)) {
        right(cells[candcol::Size1], 6, 4);
        right(cells[candcol::Size2], 6, 4);
        none();
        none();
    } else if (section == SectionName(SectionType::Rectangle, SectionNameStyle::Column) ||
               section == SectionName(SectionType::Square, SectionNameStyle::Column)) {
        none();
        none();
        right(cells[candcol::Size1], 6, 4);
        right(cells[candcol::Size2], 6, 4);
    }
    right(cells[candcol::Depth], 6, 4);
    right(cells[candcol::Frk], 6, 4);
    centred(cells[candcol::Integrity], 8, 2);
    centred(cells[candcol::C1], 8, 2);
    centred(cells[candcol::C2], 8, 2);
    right(cells[candcol::SideResistance], 7, 3);
    right(cells[candcol::SideShare], 6, 4);
    right(cells[candcol::EndResistance], 7, 3);
    right(cells[candcol::EndShare], 6, 4);
    right(cells[candcol::Ra], 7, 2);
}

std::vector<std::string> ResultFileTailLines(const std::string& timeStamp)
{
    return {kRule, std::string(kNoteLine), kClosingRule, std::string(kTimeStampPrefix) + timeStamp};
}

std::vector<std::string> ResultFileLines(ResultFileKind kind, std::span<const CandidateTexts> rows,
                                         const std::string& timeStamp)
{
    std::vector<std::string> lines = ResultFileHeadLines(kind);
    lines.reserve(lines.size() + rows.size() + 4);
    for (std::size_t position = 0; position < rows.size(); ++position)
        lines.push_back(ResultFileRowLine(position, rows.size(), rows[position]));
    for (std::string& line : ResultFileTailLines(timeStamp)) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> ResultFileLines(ResultFileKind kind, const CandidateList& list,
                                         std::span<const std::uint32_t> order, const std::string& timeStamp)
{
    std::vector<std::string> lines = ResultFileHeadLines(kind);
    lines.reserve(lines.size() + order.size() + 4);
    for (std::size_t position = 0; position < order.size(); ++position)
        lines.push_back(ResultFileRowLine(position, order.size(), list.Texts(order[position])));
    for (std::string& line : ResultFileTailLines(timeStamp)) lines.push_back(std::move(line));
    return lines;
}

}  // namespace rockpile
