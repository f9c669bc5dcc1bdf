#pragma once
// The texts that a compute run writes into the input page: one definition shared by
// the compute run on the widgets and by the design search, so that both show exactly
// the same texts for the same inputs.

#include <string>
#include <vector>

#include "core/ComputePile.h"

namespace rockpile {

struct CellWrite {
    int column;
    std::string text;
    bool operator==(const CellWrite&) const = default;
};

// Every column that LayerCellWrites and ShareCellWrites write, which a run therefore
// empties first. Columns 10 and 11 are left alone: they are inputs when the
// resistances are given.
inline constexpr int kRunWrittenColumns[] = {
    col::C1,           col::C2,       col::Ra,     col::Rpa,      col::SumRria, col::Rria,
    col::SharePercent, col::ShareBar, col::Remark, col::Hardness, col::C1Auto,  col::C2Auto,
};

// Columns written for one layer as soon as it is done (or, for an interrupted layer,
// the fields it had): in compressive-strength mode 19, 18, 8, 9, 10, 11, 20, 21, then
// in both modes 14, 15, and 12, 13 (emptied, or Ra and Rpa on the last row).
std::vector<CellWrite> LayerCellWrites(const LayerResult& layer, StrengthMode mode);

// The text LayerCellWrites writes for a complete layer in one of its columns; empty for
// a column it does not write.
std::string LayerCellText(const LayerResult& layer, int column);

// Columns 16 and 17 of a layer, written after the last layer.
std::vector<CellWrite> ShareCellWrites(const LayerResult& layer);

// The texts of edt_Quk, edt_ra and edt_percent.
struct ResultFieldTexts {
    std::string rpa;
    std::string ra;
    std::string percent;
};
ResultFieldTexts FormatResultFields(const PileResult& result, int precisionMode);

// lb_guifan2 after a run: "单桩竖向承载力特征值计算依据：" + clause.
std::string ClauseLabelText(const PileResult& result);

// Where a compute run writes: the input page of the window, or a plain copy of it that
// a tool without a window keeps for the report step.
class RunPage {
public:
    virtual ~RunPage() = default;
    // A cell of the layer table; an empty text empties it.
    virtual void setCell(int row, int column, const std::string& text) = 0;
    // The texts of the two size fields (cbe_dd, cbe_tyzd) after an exchange of sides.
    virtual void setSizeTexts(const std::string& first, const std::string& second) = 0;
    // The clause line lb_guifan2.
    virtual void setClause(const std::string& text) = 0;
};

// Everything a compute run of `input` writes into the page, given the outcome of
// ComputePile(input), in the run's order: the computed columns of rows 0..n-1 emptied,
// the corrections, each layer's columns as far as the calculation got, the clause, and
// after a complete calculation the shares. The result fields, the status line and the
// report step are the caller's.
void WriteRunOutcome(const PileInput& input, const ComputeOutcome& outcome, RunPage& page);

}  // namespace rockpile
