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

}  // namespace rockpile
