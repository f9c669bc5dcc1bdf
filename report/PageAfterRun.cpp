#include "report/PageAfterRun.h"

#include <algorithm>

#include "report/Format.h"
#include "report/RunTexts.h"

namespace rockpile {

namespace {

// Columns that a run fills and therefore empties first; 10 and 11 stay, they are
// inputs when the resistances are given.
constexpr int kComputedColumns[] = {col::C1,      col::C2,           col::Ra,       col::Rpa,
                                    col::SumRria, col::Rria,         col::SharePercent,
                                    col::ShareBar, col::Remark,      col::Hardness,
                                    col::C1Auto,  col::C2Auto};

template <typename Items, typename Index>
std::string ItemText(const Items& items, Index index)
{
    const int i = static_cast<int>(index);
    return i >= 0 && i < static_cast<int>(std::size(items)) ? items[i] : std::string();
}

}  // namespace

std::vector<LayerRow> InputRows(const PileInput& input)
{
    std::vector<LayerRow> rows(input.layers.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const RockLayer& layer = input.layers[i];
        LayerRow& row = rows[i];
        row[col::Number] = std::to_string(i + 1);
        row[col::Lr] = layer.lr;
        row[col::Weathering] = layer.weathering;
        row[col::Integrity] = layer.integrityText;
        row[col::Kv] = layer.kv;
        row[col::Frk] = layer.frk;
        row[col::C1Manual] = layer.c1Manual;
        row[col::C2Manual] = layer.c2Manual;
        row[col::Qpa] = layer.qpaGiven;
        row[col::Qra] = layer.qraGiven;
    }
    return rows;
}

ReportSnapshot SnapshotAfterRun(const PileInput& input, const ComputeOutcome& outcome,
                                int precisionMode)
{
    ReportSnapshot s;
    const bool rectangle = input.sectionType == SectionType::Rectangle;
    s.sectionIndex = static_cast<int>(input.sectionType) - 1;
    s.ddText = rectangle ? input.a : input.d;
    s.tyzdText = rectangle ? input.b : input.c;
    s.reductionFactorText = input.reductionFactor;
    s.layerCountItemText = std::to_string(input.layers.size());
    s.strengthMode = static_cast<int>(input.strengthMode);
    s.strengthItemText = ItemText(kStrengthItems, input.strengthMode);
    s.coefficientMode = static_cast<int>(input.coefficientMode);
    s.coefficientItemText = ItemText(kCoefficientItems, input.coefficientMode);
    s.interpolationBasis = static_cast<int>(input.interpolationBasis);
    s.basisItemText = ItemText(kBasisItems, input.interpolationBasis);
    s.boredPile = input.boredPile;
    s.softRockExposed = input.softRockExposed;
    s.precisionMode = precisionMode;

    s.rows = InputRows(input);
    const int n = static_cast<int>(s.rows.size());
    for (LayerRow& row : s.rows)
        for (int column : kComputedColumns) row[column].clear();
    for (const Correction& correction : outcome.corrections) {
        switch (correction.kind) {
        case Correction::Kind::ExchangeSides:
            s.ddText = FormatGeneral(correction.newA);
            s.tyzdText = FormatGeneral(correction.newB);
            break;
        case Correction::Kind::ZeroCell:
            if (correction.row >= 0 && correction.row < n && correction.column >= 0 &&
                correction.column < col::Count)
                s.rows[correction.row][correction.column] = "0.00";
            break;
        }
    }
    const int done = std::min(n, static_cast<int>(outcome.result.layers.size()));
    for (int row = 0; row < done; ++row) {
        const LayerResult& layer = outcome.result.layers[row];
        for (const CellWrite& write : LayerCellWrites(layer, input.strengthMode))
            s.rows[row][write.column] = write.text;
    }
    if (!outcome.stopped())
        for (int row = 0; row < done; ++row)
            for (const CellWrite& write : ShareCellWrites(outcome.result.layers[row]))
                s.rows[row][write.column] = write.text;
    return s;
}

}  // namespace rockpile
