#pragma once
// The search item table Grid1_Youhuaxuanxiang as plain data: its default texts, which
// cells may be edited, and the reading of rows 0 to 10 into OptimizationItem values
// (with the range rules and the messages of a failed test) and of row 12 into the Ra
// window of the filter.
//
// Everything here works on the texts of the cells; nothing is written back into the
// table. A failed test or a cell that does not convert yields one message, to be shown
// in red in lb_YHxingxi, and the action ends there.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rockpile {

// Rows of the item table.
namespace itemrow {
inline constexpr int SectionType = 0;      // integer 1..4 (SectionType codes; 4 = square)
inline constexpr int Diameter = 1;         // d, mm
inline constexpr int EllipseStraight = 2;  // c, mm
inline constexpr int RectangleLong = 3;    // a, mm
inline constexpr int RectangleShort = 4;   // b, mm
inline constexpr int SquareSide = 5;       // a of a square, mm
inline constexpr int SocketDepth = 6;      // multiples "1.0d" of the size, or mm
inline constexpr int Frk = 7;              // MPa
inline constexpr int Basis = 8;            // integer 1..2 (InterpolationBasis + 1)
inline constexpr int IntegrityClass = 9;   // integer 1..5 (kIntegrityClasses[code - 1])
inline constexpr int IntegrityIndex = 10;  // (0, 1]
inline constexpr int Filter = 12;          // "筛选 Ra(kN)": min and max of the filter window
inline constexpr int SearchRows = 11;      // rows 0..10 are read by the search
inline constexpr int TableRows = 13;
}  // namespace itemrow

// Columns of the item table.
namespace itemcol {
inline constexpr int Name = 0;  // read-only
inline constexpr int Min = 1;
inline constexpr int Max = 2;
inline constexpr int Step = 3;
inline constexpr int Explanation = 4;  // read-only
inline constexpr int Count = 5;
}  // namespace itemcol

// The texts of the whole table as the window starts with it: 13 rows of 5 texts
// (row 11 all empty; the step of row 12 empty).
using ItemTableTexts = std::array<std::array<std::string, itemcol::Count>, itemrow::TableRows>;
ItemTableTexts DefaultItemTable();

// The header texts of the five columns: "优化项", "最小值", "最大值", "步进值", "说  明".
std::array<std::string, itemcol::Count> ItemTableHeaders();

// Whether a cell can be edited: rows 0..10 in columns 1..3, and row 12 in columns 1..2.
bool ItemCellEditable(int row, int column);
// Whether finishing the edit of a cell enables "计算" (rows 0..10, columns 1..3) or
// "筛选" (row 12, columns 1..2). Nothing is validated when an edit ends.
bool ItemEditEnablesCompute(int row, int column);
bool ItemEditEnablesFilter(int row, int column);

// The texts of one row of the table as the search reads them: the name (column 0,
// used only to name the row in a conversion message) and the three cells.
struct ItemRowTexts {
    std::string name;
    std::string min;
    std::string max;
    std::string step;
};
using SearchItemTexts = std::array<ItemRowTexts, itemrow::SearchRows>;

// Rows 0..10 of an ItemTableTexts, as ReadSearchItems takes them.
SearchItemTexts SearchRowsOf(const ItemTableTexts& table);
// Row 12 of an ItemTableTexts, as ReadFilterWindow takes it.
ItemRowTexts FilterRowOf(const ItemTableTexts& table);

// One of rows 0 to 10 as read for a search. Integer rows (0, 8, 9) hold whole numbers.
struct OptimizationItem {
    double min = 0;
    double max = 0;          // never below min
    double step = 0;         // 0 when count is 1
    std::int64_t count = 1;  // >= 1; saturates for absurdly fine steps
    bool inMultiples = false;  // row 6 only: the values are multiples k of the pile size

    // The value that follows `previous` in the sequence: previous + step, replaced by
    // max where the sum exceeds it. The sequence is min, Next(min), ... (count values).
    double Next(double previous) const;
    // The whole sequence. Meant for items whose count is known to be small.
    std::vector<double> Values() const;

    bool operator==(const OptimizationItem&) const = default;
};
using SearchItems = std::array<OptimizationItem, itemrow::SearchRows>;

// Why reading the table failed.
struct ItemError {
    enum class Kind {
        RangeTest,   // a value outside its range: one of the fixed texts of the row
        Conversion,  // a cell that is not a number of the expected kind
    };
    Kind kind = Kind::RangeTest;
    int row = 0;
    int column = 0;  // 1..3 for a conversion; 0 for a range test
    std::string message;  // shown in red in lb_YHxingxi
};

struct SearchItemsOutcome {
    SearchItems items{};  // complete only when there is no error
    std::optional<ItemError> error;
    bool ok() const { return !error.has_value(); }
};

// Reads rows 0 to 10, in row order, and stops at the first failed test or conversion.
//
// Integer rows 0, 8 and 9: strict decimal integers (blanks around, an optional sign,
// digits), min and max limited to 1..4, 1..2 and 1..5, then the integer range rule.
// Real rows 1..5, 7 and 10: strict decimal numbers (TryConvertNumber), the sign tests
// "桩径不能为负值" ... "岩石单轴抗压强度不能为负值", and for row 10 "岩体完整性指数不能为负值或0" /
// "岩体完整性指数不能大于1"; then the real range rule. Row 6: when the minimum cell
// contains "d", every cell is the number before its first "d" and inMultiples is set;
// otherwise all three are millimetres. The step is never tested.
//
// A cell that does not convert yields a Conversion error whose message names the item
// by its column-0 text, the cell ("最小值", "最大值" or "步进值") and the text, e.g.
// “桩身直径 d(mm)”最小值“abc”不是有效数值.
SearchItemsOutcome ReadSearchItems(const SearchItemTexts& texts);

// The filter window of row 12 after normalisation: lo <= Ra <= hi, both bounds included.
struct RaWindow {
    double lo = 0;
    double hi = 0;
    bool operator==(const RaWindow&) const = default;
};
inline constexpr double kNoUpperLimit = 1e15;

// lo <= 0 becomes 0; hi <= 0 becomes 1e15; lo > hi makes hi := lo.
RaWindow NormaliseRaWindow(double lo, double hi);

struct FilterWindowOutcome {
    RaWindow window;  // normalised; valid only when there is no error
    std::optional<ItemError> error;
    bool ok() const { return !error.has_value(); }
};

// Converts the minimum and the maximum of row 12 strictly (an empty cell does not
// convert) and normalises the window. A conversion error names the row and the cell
// as for ReadSearchItems; the caller then changes nothing else.
FilterWindowOutcome ReadFilterWindow(const ItemRowTexts& filterRow);

}  // namespace rockpile
