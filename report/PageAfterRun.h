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
#include "report/Texts.h"

namespace rockpile {

using LayerRow = std::array<std::string, col::Count>;

// The layer table rows 0..n-1 as the page holds them before a run: the layer number
// in column 0 and the input cells of each layer; every other cell empty.
std::vector<LayerRow> InputRows(const PileInput& input);

// The report snapshot of a completed calculation of `input` in precision mode
// `precisionMode`: the rows of InputRows and the size texts, with everything the
// compute run writes (WriteRunOutcome) written into them.
// `outcome` must be the complete outcome of ComputePile(input).
ReportSnapshot SnapshotAfterRun(const PileInput& input, const ComputeOutcome& outcome,
                                int precisionMode);

}  // namespace rockpile
