#pragma once
// What the input page holds after a completed compute run, worked out on plain data:
// the layer table rows with the run's corrections and computed columns, and the texts
// and item indices that the report step reads. A tool without a window builds its
// report entries from this, so that they match the window's line for line.

#include <array>
#include <string>
#include <vector>

#include "core/ComputePile.h"
#include "report/Reports.h"

namespace rockpile {

// Item texts of the combos of the input page, by item index.
inline constexpr const char* kSectionItems[3] = {"圆桩", "椭圆桩", "矩形桩"};
inline constexpr const char* kStrengthItems[2] = {"基岩桩侧、桩端阻力特征值", "岩样天然湿度单轴抗压强度"};
inline constexpr const char* kCoefficientItems[4] = {"人工指定系数", "程序自动插值",
                                                     "自动插值与人工指定取大值",
                                                     "自动插值与人工指定取小值"};
inline constexpr const char* kBasisItems[2] = {"岩体完整程度", "岩体完整性指数"};
inline constexpr const char* kPrecisionItems[5] = {"两位小数", "一位小数", "个位取整", "十位取整",
                                                   "百位取整"};

using LayerRow = std::array<std::string, col::Count>;

// The layer table rows 0..n-1 as the page holds them before a run: the layer number
// in column 0 and the input cells of each layer; every other cell empty.
std::vector<LayerRow> InputRows(const PileInput& input);

// The report snapshot of a completed calculation of `input` in precision mode
// `precisionMode`: the rows of InputRows with the computed columns emptied, then the
// corrections, each layer's columns and the shares written in the run's order; the
// size texts after an exchange of rectangle sides as the run writes them back.
// `outcome` must be the complete outcome of ComputePile(input).
ReportSnapshot SnapshotAfterRun(const PileInput& input, const ComputeOutcome& outcome,
                                int precisionMode);

}  // namespace rockpile
