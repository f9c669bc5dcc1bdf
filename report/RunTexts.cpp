#include "report/RunTexts.h"

#include <algorithm>

#include "report/Format.h"

namespace rockpile {

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
    writes.reserve(12);
    if (fromStrength) {
        // Columns 10 and 11 are inputs when the resistances are given.
        writes.push_back({col::Hardness, layer.hardness});
        writes.push_back({col::Remark, layer.remark});
        writes.push_back({col::C1, FormatGeneral(layer.c1)});
        writes.push_back({col::C2, FormatGeneral(layer.c2)});
        writes.push_back({col::Qpa, FormatGeneral(layer.qpa)});
        writes.push_back({col::Qra, FormatGeneral(layer.qra)});
        writes.push_back({col::C1Auto, FormatGeneral(layer.c1Auto)});
        writes.push_back({col::C2Auto, FormatGeneral(layer.c2Auto)});
    }
    writes.push_back({col::SumRria, FormatGeneral(layer.sumRria)});
    writes.push_back({col::Rria, FormatGeneral(layer.rria)});
    // Ra and Rpa stand on the row of the layer that carries the pile end only.
    writes.push_back({col::Ra, layer.carriesPileEnd ? FormatGeneral(layer.ra) : std::string()});
    writes.push_back({col::Rpa, layer.carriesPileEnd ? FormatGeneral(layer.rpa) : std::string()});
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
