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

}  // namespace rockpile
