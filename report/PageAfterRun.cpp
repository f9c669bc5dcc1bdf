#include "report/PageAfterRun.h"

#include "report/Format.h"
#include "report/RunTexts.h"

namespace rockpile {

namespace {

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
    s.section = input.sectionType;
    s.ddText = rectangle ? input.a : input.d;
    s.tyzdText = rectangle ? input.b : input.c;
    s.reductionFactorText = input.reductionFactor;
    s.layerCountItemText = std::to_string(input.layers.size());
    s.strengthMode = input.strengthMode;
    s.strengthItemText = ItemText(kStrengthItems, input.strengthMode);
    s.coefficientMode = input.coefficientMode;
    s.coefficientItemText = ItemText(kCoefficientItems, input.coefficientMode);
    s.interpolationBasis = input.interpolationBasis;
    s.basisItemText = ItemText(kBasisItems, input.interpolationBasis);
    s.boredPile = input.boredPile;
    s.softRockExposed = input.softRockExposed;
    s.precisionMode = precisionMode;

    s.rows = InputRows(input);

    // The page as a plain copy: the run writes into it what it writes into the window.
    class SnapshotPage : public RunPage {
    public:
        explicit SnapshotPage(ReportSnapshot& snapshot) : s_(snapshot) {}
        void setCell(int row, int column, const std::string& text) override
        {
            s_.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
        }
        void setSizeTexts(const std::string& first, const std::string& second) override
        {
            s_.ddText = first;
            s_.tyzdText = second;
        }
        void setClause(const std::string&) override {}  // not part of a report entry

    private:
        ReportSnapshot& s_;
    } page(s);
    WriteRunOutcome(input, outcome, page);
    return s;
}

}  // namespace rockpile
