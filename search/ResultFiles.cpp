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

std::string ResultFileRowLine(std::size_t position, std::size_t rowCount, const CandidateTexts& cells)
{
    const std::string none = C("-", 8) + S(2);
    std::string line = S(1) + C(PileNumber(position, rowCount), 8) + S(2);
    const std::string& section = cells[candcol::Section];
    line += C(section, 8) + S(2);
    if (section == SectionName(SectionType::Circular, SectionNameStyle::Column)) {
        line += L(cells[candcol::Size1], 6) + S(4) + none + none + none;
    } else if (section == SectionName(SectionType::Ellipse, SectionNameStyle::Column)) {
        line += L(cells[candcol::Size1], 6) + S(4) + L(cells[candcol::Size2], 6) + S(4) + none + none;
    } else if (section == SectionName(SectionType::Rectangle, SectionNameStyle::Column) || section == SectionName(SectionType::Square, SectionNameStyle::Column)) {
        line += none + none + L(cells[candcol::Size1], 6) + S(4) + L(cells[candcol::Size2], 6) + S(4);
    }
    line += L(cells[candcol::Depth], 6) + S(4);
    line += L(cells[candcol::Frk], 6) + S(4);
    line += C(cells[candcol::Integrity], 8) + S(2);
    line += C(cells[candcol::C1], 8) + S(2);
    line += C(cells[candcol::C2], 8) + S(2);
    line += L(cells[candcol::SideResistance], 7) + S(3);
    line += L(cells[candcol::SideShare], 6) + S(4);
    line += L(cells[candcol::EndResistance], 7) + S(3);
    line += L(cells[candcol::EndShare], 6) + S(4);
    line += L(cells[candcol::Ra], 7) + S(2);
    return line;
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
