#include "report/RunTexts.h"

#include <algorithm>

#include "report/Format.h"

namespace rockpile {

std::string LayerCellText(const LayerResult& layer, int column)
{
    switch (column) {
    case col::Hardness: return layer.hardness;
    case col::Remark: return layer.remark;
    case col::C1: return FormatGeneral(layer.c1);
    case col::C2: return FormatGeneral(layer.c2);
    case col::Qpa: return FormatGeneral(layer.qpa);
    case col::Qra: return FormatGeneral(layer.qra);
    case col::C1Auto: return FormatGeneral(layer.c1Auto);
    case col::C2Auto: return FormatGeneral(layer.c2Auto);
    case col::SumRria: return FormatGeneral(layer.sumRria);
    case col::Rria: return FormatGeneral(layer.rria);
    // Ra and Rpa stand on the row of the layer that carries the pile end only.
    case col::Ra: return layer.carriesPileEnd ? FormatGeneral(layer.ra) : std::string();
    case col::Rpa: return layer.carriesPileEnd ? FormatGeneral(layer.rpa) : std::string();
    default: return std::string();
    }
}

std::vector<CellWrite> LayerCellWrites(const LayerResult& layer, StrengthMode mode)
{
    std::vector<CellWrite> writes;
    const bool fromStrength = mode == StrengthMode::CompressiveStrength;
    if (!layer.complete) {
        // A layer interrupted by a failed check shows what it had before the check:
        // only the classification texts can be set by then.
        if (fromStrength && layer.hasHardness) writes.push_back({col::Hardness, layer.hardness});
        if (fromStrength && layer.hasRemark) writes.push_back({col::Remark, layer.remark});
        return writes;
    }
    // Columns 10 and 11 are inputs when the resistances are given.
    static constexpr int kFromStrength[] = {col::Hardness, col::Remark, col::C1,     col::C2,
                                            col::Qpa,      col::Qra,    col::C1Auto, col::C2Auto};
    static constexpr int kBoth[] = {col::SumRria, col::Rria, col::Ra, col::Rpa};
    writes.reserve(12);
    if (fromStrength)
        for (int column : kFromStrength) writes.push_back({column, LayerCellText(layer, column)});
    for (int column : kBoth) writes.push_back({column, LayerCellText(layer, column)});
    return writes;
}

std::vector<CellWrite> ShareCellWrites(const LayerResult& layer)
{
    return {
        {col::SharePercent, FormatFixed(layer.share, 7, 2) + "%"},
        {col::ShareBar, FormatGeneral(layer.share)},
    };
}

ResultFieldTexts FormatResultFields(const PileResult& result, int precisionMode)
{
    ResultFieldTexts texts;
    // A precision outside the list formats nothing: the fields stay as the run
    // emptied them, the share without its "%".
    if (precisionMode < kTwoDecimals || precisionMode > kHundreds) return texts;
    texts.rpa = FormatResult(result.rpa, precisionMode, 7);
    texts.ra = FormatResult(result.ra, precisionMode, 7);
    texts.percent = FormatShare(result.rpaShare, precisionMode, 7) + "%";
    return texts;
}

std::string ClauseLabelText(const PileResult& result)
{
    return "单桩竖向承载力特征值计算依据：" + result.clause;
}

void WriteRunOutcome(const PileInput& input, const ComputeOutcome& outcome, RunPage& page)
{
    const int n = LayerCount(input);
    for (int row = 0; row < n; ++row)
        for (int column : kRunWrittenColumns) page.setCell(row, column, std::string());
    for (const Correction& correction : outcome.corrections) {
        switch (correction.kind) {
        case Correction::Kind::ExchangeSides:
            page.setSizeTexts(FormatGeneral(correction.newA), FormatGeneral(correction.newB));
            break;
        case Correction::Kind::ZeroCell:
            if (correction.row >= 0 && correction.row < n && correction.column >= 0 &&
                correction.column < col::Count)
                page.setCell(correction.row, correction.column, "0.00");
            break;
        }
    }
    const PileResult& result = outcome.result;
    const int done = std::min(n, static_cast<int>(result.layers.size()));
    for (int row = 0; row < done; ++row)
        for (const CellWrite& write :
             LayerCellWrites(result.layers[static_cast<std::size_t>(row)], input.strengthMode))
            page.setCell(row, write.column, write.text);
    if (!result.clause.empty()) page.setClause(ClauseLabelText(result));
    if (outcome.stopped()) return;
    for (int row = 0; row < done; ++row)
        for (const CellWrite& write : ShareCellWrites(result.layers[static_cast<std::size_t>(row)]))
            page.setCell(row, write.column, write.text);
}

}  // namespace rockpile
