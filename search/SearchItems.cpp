#include "search/SearchItems.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

#include "core/PileInput.h"

namespace rockpile {

namespace {

constexpr std::int64_t kCountLimit = std::numeric_limits<std::int64_t>::max();

const char* CellName(int column)
{
    switch (column) {
    case itemcol::Min: return "最小值";
    case itemcol::Max: return "最大值";
    default: return "步进值";
    }
}

ItemError ConversionError(const ItemRowTexts& row, int rowIndex, int column, std::string_view text,
                          std::string_view what, std::string_view remark = {})
{
    ItemError error;
    error.kind = ItemError::Kind::Conversion;
    error.row = rowIndex;
    error.column = column;
    error.message = "“" + row.name + "”" + CellName(column) + "“" + std::string(text) + "”不是有效" +
                    std::string(what);
    if (!remark.empty()) error.message += "，" + std::string(remark);
    return error;
}

ItemError RangeError(int rowIndex, const char* message)
{
    ItemError error;
    error.kind = ItemError::Kind::RangeTest;
    error.row = rowIndex;
    error.message = message;
    return error;
}

const std::string& CellText(const ItemRowTexts& row, int column)
{
    return column == itemcol::Min ? row.min : column == itemcol::Max ? row.max : row.step;
}

// Decimal integer: blanks around, an optional sign, at least one digit, nothing else.
bool TryConvertInteger(std::string_view text, std::int64_t& value)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ') ++begin;
    while (end > begin && text[end - 1] == ' ') --end;
    std::string_view body = text.substr(begin, end - begin);
    bool negative = false;
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    if (body.empty()) return false;
    for (char ch : body)
        if (ch < '0' || ch > '9') return false;
    std::uint64_t magnitude = 0;
    const auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), magnitude);
    if (ec != std::errc() || ptr != body.data() + body.size()) return false;
    const std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (magnitude > limit + (negative ? 1 : 0)) return false;
    value = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

OptimizationItem IntegerRangeRule(std::int64_t min, std::int64_t max, std::int64_t step)
{
    OptimizationItem item;
    if (min >= max) {
        max = min;
        step = 0;
        item.count = 1;
    } else {
        const std::int64_t diff = max - min;  // small: both ends lie in the row's interval
        if (step < 1 || step > diff) {
            step = diff;
            item.count = 2;
        } else {
            item.count = diff / step + 1;
        }
    }
    item.min = static_cast<double>(min);
    item.max = static_cast<double>(max);
    item.step = static_cast<double>(step);
    return item;
}

OptimizationItem RealRangeRule(double min, double max, double step)
{
    OptimizationItem item;
    item.min = min;
    if (min >= max) {
        item.max = min;
        item.step = 0;
        item.count = 1;
        return item;
    }
    item.max = max;
    const double diff = max - min;
    if (step <= 0 || step > diff) {
        item.step = diff;
        item.count = 2;
        return item;
    }
    item.step = step;
    // Round to the nearest whole number of steps, halves upwards. A step so fine that
    // the count leaves the integer range saturates; no search can run through it.
    const double steps = std::trunc(diff / step + 0.5);
    item.count = (std::isfinite(steps) && steps < 9.0e18) ? static_cast<std::int64_t>(steps) + 1 : kCountLimit;
    return item;
}

struct IntegerRow {
    int row;
    std::int64_t lower;
    std::int64_t upper;
};

}  // namespace

double OptimizationItem::Next(double previous) const
{
    const double value = previous + step;
    return value > max ? max : value;
}

std::vector<double> OptimizationItem::Values() const
{
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(count));
    double value = min;
    for (std::int64_t i = 0; i < count; ++i) {
        if (i > 0) value = Next(value);
        values.push_back(value);
    }
    return values;
}

ItemTableTexts DefaultItemTable()
{
    return {{
        {"桩身截面类型", "1", "4", "1", "圆桩1/椭圆桩2/矩形桩3/方桩4"},
        {"桩身直径 d(mm)", "1000", "2000", "500", "桩径取值范围"},
        {"椭圆直段长度 c(mm)", "1000", "2000", "500", "椭圆直段取值范围"},
        {"矩形桩长边尺寸 a(mm)", "2000", "3000", "500", "矩形桩长边取值范围"},
        {"矩形桩短边尺寸 b(mm)", "1000", "2000", "500", "矩形桩短边取值范围"},
        {"方桩边长 a(mm)", "1000", "2000", "500", "方桩边长取值范围"},
        {"嵌岩深度 hr(mm)", "1.0d", "3.0d", "1.0d", "矩形为短边倍数,也可直接输入数值(不可混用)"},
        {"岩石强度 frk(MPa)", "35.00", "40.00", "5.00", "岩石单轴抗压强度标准值取值应大于0"},
        {"自动插值依据", "1", "2", "1", "岩体完整程度1/岩体完整性指数2"},
        {"岩体完整程度", "1", "3", "1", "完整1/较完整2/较破碎3/破碎4/极破碎5"},
        {"岩体完整性指数", "0.40", "0.80", "0.10", "取值范围(0.00,1.00]"},
        {"", "", "", "", ""},
        {"筛选 Ra(kN)", "12000", "14000", "", "输入0不起控制作用"},
    }};
}

std::array<std::string, itemcol::Count> ItemTableHeaders()
{
    return {"优化项", "最小值", "最大值", "步进值", "说  明"};
}

bool ItemCellEditable(int row, int column)
{
    return ItemEditEnablesCompute(row, column) || ItemEditEnablesFilter(row, column);
}

bool ItemEditEnablesCompute(int row, int column)
{
    return row >= 0 && row < itemrow::SearchRows && column >= itemcol::Min && column <= itemcol::Step;
}

bool ItemEditEnablesFilter(int row, int column)
{
    return row == itemrow::Filter && (column == itemcol::Min || column == itemcol::Max);
}

SearchItemTexts SearchRowsOf(const ItemTableTexts& table)
{
    SearchItemTexts texts;
    for (int row = 0; row < itemrow::SearchRows; ++row) {
        const auto& cells = table[static_cast<std::size_t>(row)];
        texts[static_cast<std::size_t>(row)] = {cells[itemcol::Name], cells[itemcol::Min], cells[itemcol::Max],
                                                cells[itemcol::Step]};
    }
    return texts;
}

ItemRowTexts FilterRowOf(const ItemTableTexts& table)
{
    const auto& cells = table[itemrow::Filter];
    return {cells[itemcol::Name], cells[itemcol::Min], cells[itemcol::Max], cells[itemcol::Step]};
}

SearchItemsOutcome ReadSearchItems(const SearchItemTexts& texts)
{
    SearchItemsOutcome outcome;
    auto fail = [&outcome](ItemError error) {
        outcome.error = std::move(error);
        return outcome;
    };

    for (int row = 0; row < itemrow::SearchRows; ++row) {
        const ItemRowTexts& cells = texts[static_cast<std::size_t>(row)];
        OptimizationItem& item = outcome.items[static_cast<std::size_t>(row)];

        if (row == itemrow::SectionType || row == itemrow::Basis || row == itemrow::IntegrityClass) {
            const std::int64_t upper = row == itemrow::SectionType ? 4 : row == itemrow::Basis ? 2 : 5;
            std::int64_t values[3] = {0, 0, 0};
            for (int column = itemcol::Min; column <= itemcol::Step; ++column) {
                const std::string& text = CellText(cells, column);
                if (!TryConvertInteger(text, values[column - 1]))
                    return fail(ConversionError(cells, row, column, text, "整数"));
            }
            const std::int64_t min = std::clamp<std::int64_t>(values[0], 1, upper);
            const std::int64_t max = std::clamp<std::int64_t>(values[1], 1, upper);
            item = IntegerRangeRule(min, max, values[2]);
            continue;
        }

        double values[3] = {0, 0, 0};
        if (row == itemrow::SocketDepth) {
            const bool inMultiples = cells.min.find('d') != std::string::npos;
            for (int column = itemcol::Min; column <= itemcol::Step; ++column) {
                const std::string& text = CellText(cells, column);
                const std::size_t d = text.find('d');
                if (inMultiples) {
                    if (d == std::string::npos)
                        return fail(ConversionError(cells, row, column, text, "倍数", "倍数与数值不可混用"));
                    if (!TryConvertNumber(std::string_view(text).substr(0, d), values[column - 1]))
                        return fail(ConversionError(cells, row, column, text, "倍数"));
                } else if (d != std::string::npos) {
                    return fail(ConversionError(cells, row, column, text, "数值", "倍数与数值不可混用"));
                } else if (!TryConvertNumber(text, values[column - 1])) {
                    return fail(ConversionError(cells, row, column, text, "数值"));
                }
            }
            item = RealRangeRule(values[0], values[1], values[2]);
            item.inMultiples = inMultiples;
            continue;
        }

        for (int column = itemcol::Min; column <= itemcol::Step; ++column) {
            const std::string& text = CellText(cells, column);
            if (!TryConvertNumber(text, values[column - 1]))
                return fail(ConversionError(cells, row, column, text, "数值"));
        }
        const double min = values[0];
        const double max = values[1];
        if (row == itemrow::IntegrityIndex) {
            if (min <= 0 || max <= 0) return fail(RangeError(row, "岩体完整性指数不能为负值或0"));
            if (min > 1 || max > 1) return fail(RangeError(row, "岩体完整性指数不能大于1"));
        } else if (min < 0 || max < 0) {
            static constexpr const char* kNegative[] = {
                "",                   // row 0: integer row
                "桩径不能为负值",     // row 1
                "椭圆直段不能为负值", // row 2
                "矩形长边不能为负值", // row 3
                "矩形短边不能为负值", // row 4
                "方形边长不能为负值", // row 5
                "",                   // row 6: no sign test
                "岩石单轴抗压强度不能为负值",  // row 7
            };
            return fail(RangeError(row, kNegative[row]));
        }
        item = RealRangeRule(min, max, values[2]);
    }
    return outcome;
}

RaWindow NormaliseRaWindow(double lo, double hi)
{
    if (lo <= 0) lo = 0;
    if (hi <= 0) hi = kNoUpperLimit;
    if (lo > hi) hi = lo;
    return {lo, hi};
}

FilterWindowOutcome ReadFilterWindow(const ItemRowTexts& filterRow)
{
    FilterWindowOutcome outcome;
    double lo = 0;
    double hi = 0;
    if (!TryConvertNumber(filterRow.min, lo)) {
        outcome.error = ConversionError(filterRow, itemrow::Filter, itemcol::Min, filterRow.min, "数值");
        return outcome;
    }
    if (!TryConvertNumber(filterRow.max, hi)) {
        outcome.error = ConversionError(filterRow, itemrow::Filter, itemcol::Max, filterRow.max, "数值");
        return outcome;
    }
    outcome.window = NormaliseRaWindow(lo, hi);
    return outcome;
}

}  // namespace rockpile
