#pragma once
// Texts that the reports, the search result files and the window all write: one
// definition each.

#include <string_view>

namespace rockpile {

// The line before the time stamp of a report or a result file.
inline constexpr std::string_view kTimeStampPrefix = "计算时间：";

// The note under the table report and the search result files.
inline constexpr std::string_view kNoteLine = " 注: 采用《建筑地基基础设计规范》(DBJ 15-31-2016)公式计算";

// The name of a section in the reports and the result lists.
enum class SectionKind { Circle, Ellipse, Rectangle, Square };
constexpr std::string_view SectionText(SectionKind kind)
{
    switch (kind) {
    case SectionKind::Circle: return "圆  桩";
    case SectionKind::Ellipse: return "椭圆桩";
    case SectionKind::Rectangle: return "矩形桩";
    case SectionKind::Square: return "方  桩";
    }
    return {};
}

// Item texts of the combos of the input page, by item index: the window fills its
// combos from these, and a tool without a window writes them into the reports.
inline constexpr const char* kSectionItems[3] = {"圆桩", "椭圆桩", "矩形桩"};
inline constexpr const char* kStrengthItems[2] = {"基岩桩侧、桩端阻力特征值", "岩样天然湿度单轴抗压强度"};
inline constexpr const char* kCoefficientItems[4] = {"人工指定系数", "程序自动插值",
                                                     "自动插值与人工指定取大值",
                                                     "自动插值与人工指定取小值"};
inline constexpr const char* kBasisItems[2] = {"岩体完整程度", "岩体完整性指数"};
inline constexpr const char* kPrecisionItems[5] = {"两位小数", "一位小数", "个位取整", "十位取整",
                                                   "百位取整"};

// The report step refuses an entry whose layer cells do not read as numbers.
inline constexpr std::string_view kReportRefused = "岩层表格数据有错，本次计算未写入计算书";

}  // namespace rockpile
