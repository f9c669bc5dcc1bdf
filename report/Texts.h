#pragma once
// Texts that the reports, the search result files and the window all write: one
// definition each.

#include <string>
#include <string_view>

#include "core/PileInput.h"

namespace rockpile {

// The line before the time stamp of a report or a result file.
inline constexpr std::string_view kTimeStampPrefix = "计算时间：";

// The note under the table report and the search result files.
inline constexpr std::string_view kNoteLine = " 注: 采用《建筑地基基础设计规范》(DBJ 15-31-2016)公式计算";

// The one source of the section names. `Plain` is the name of the input page's combo
// items, of the input files and schedules, of the text report and the pile sketch;
// `Column` is the name the table report and the search lists centre in a column of 8,
// a two-character name spread to the width of the three-character ones. A square is
// entered as a rectangle and is named a square only where its sides are known equal.
enum class SectionNameStyle { Plain, Column };
constexpr std::string_view SectionName(SectionType type, SectionNameStyle style = SectionNameStyle::Plain)
{
    const bool column = style == SectionNameStyle::Column;
    switch (type) {
    case SectionType::Circular: return column ? "圆  桩" : "圆桩";
    case SectionType::Ellipse: return "椭圆桩";
    case SectionType::Rectangle: return "矩形桩";
    case SectionType::Square: return column ? "方  桩" : "方桩";
    }
    return {};
}

// The section name of a SectionType code 1..4 as the search keeps it; empty for
// another code.
constexpr std::string_view SectionName(int sectionCode, SectionNameStyle style)
{
    return sectionCode >= 1 && sectionCode <= 4 ? SectionName(static_cast<SectionType>(sectionCode), style)
                                                : std::string_view();
}

// Item texts of the combos of the input page, by item index: the window fills its
// combos from these, and a tool without a window writes them into the reports.
inline constexpr const char* kSectionItems[3] = {SectionName(SectionType::Circular).data(),
                                                 SectionName(SectionType::Ellipse).data(),
                                                 SectionName(SectionType::Rectangle).data()};
// The refusal of a section text that names none of the combo's items.
inline std::string UnknownSectionText(std::string_view given)
{
    return "截面“" + std::string(given) + "”未知，应为" + kSectionItems[0] + "、" + kSectionItems[1] + "或" +
           kSectionItems[2];
}

inline constexpr const char* kStrengthItems[2] = {"基岩桩侧、桩端阻力特征值", "岩样天然湿度单轴抗压强度"};
inline constexpr const char* kCoefficientItems[4] = {"人工指定系数", "程序自动插值",
                                                     "自动插值与人工指定取大值",
                                                     "自动插值与人工指定取小值"};
inline constexpr const char* kBasisItems[2] = {"岩体完整程度", "岩体完整性指数"};
inline constexpr const char* kPrecisionItems[5] = {"两位小数", "一位小数", "个位取整", "十位取整",
                                                   "百位取整"};

// The information line of a search stopped by a diagnostic of the compute run.
inline constexpr std::string_view kRunAbortedText = "运行中止，主界面可查看中止位置、原因";

// The report step refuses an entry whose layer cells do not read as numbers.
inline constexpr std::string_view kReportRefused = "岩层表格数据有错，本次计算未写入计算书";

}  // namespace rockpile
