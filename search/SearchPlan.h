#pragma once
// The candidates of a design search by their position in search order.
//
// The loops of the search (section type; the sizes of that type; socket depth; frk;
// interpolation basis; class or index) give every candidate a position. A plan turns a
// position back into the PileInput the search writes for that candidate, without
// running through the candidates before it, so that
//   - the search can be cut into pieces computed on several threads at once, and
//   - a listed candidate keeps only its sort keys: its texts are made again, from the
//     same input and the same calculation, when a cell is drawn or a file is saved.
//
// The input of candidate i is the input page as the sequential search leaves it just
// before computing candidate i: every field the loops set, plus the one integrity
// cell the candidate's basis does not write. That cell holds what the last candidate
// of the other basis wrote there, or the page's own text when no such candidate came
// before. Every block of candidates sharing section, sizes, depth and frk runs the
// same bases in the same order (class codes before index codes), which decides it.

#include <cstdint>
#include <string>
#include <vector>

#include "core/ComputePile.h"
#include "core/PileInput.h"
#include "search/CandidateList.h"
#include "search/SearchItems.h"

namespace rockpile {

class SearchPlan {
public:
    // `items` as read by ReadSearchItems, `page` the input page at the start of the
    // search, `precisionMode` the PrecisionMode of the Ra texts.
    SearchPlan(const SearchItems& items, const PileInput& page, int precisionMode);

    // Number of candidates (CandidateCount of the items); only meaningful for counts
    // the search accepts.
    std::uint64_t count() const { return count_; }
    int precisionMode() const { return precisionMode_; }
    const std::string& weathering() const { return weathering_; }

    // Walks over candidates, keeping the input of the current one. Moving to the next
    // position rewrites only the fields that change.
    class Cursor {
    public:
        explicit Cursor(const SearchPlan& plan);
        // Makes `index` (< count()) the current candidate.
        void MoveTo(std::uint64_t index);
        const PileInput& input() const { return input_; }
        std::uint64_t index() const { return index_; }

        // The compact row of the current candidate from its calculation (which must
        // have succeeded), and its sort keys alone. Without `withKeys` the row's dKey
        // and raKey are left 0: its texts do not need them.
        CandidateRow Row(const ComputeOutcome& outcome, bool withKeys = true) const;
        CandidateKeys Keys(const ComputeOutcome& outcome);

    private:
        struct Digits {
            std::size_t segment = SIZE_MAX;
            std::uint64_t outer = UINT64_MAX;
            std::uint64_t inner = UINT64_MAX;
            std::uint64_t depth = UINT64_MAX;
            std::uint64_t frk = UINT64_MAX;
            std::uint64_t slot = UINT64_MAX;  // within the block of bases
            bool laterBlock = false;          // not the first block of the search
        };
        void ExchangedSizes(const ComputeOutcome& outcome, double& size1, double& size2, bool& depthZeroed) const;

        const SearchPlan& plan_;
        PileInput input_;
        Digits at_;
        std::uint64_t index_ = 0;
        std::uint8_t section_ = 1;
        std::uint8_t basis_ = 1;
        std::uint8_t integrityClass_ = 0;
        double size1_ = 0;
        double size2_ = 0;
        double depth_ = 0;
        double frk_ = 0;
        double kv_ = 0;
        // The number of the last size text read, by the bits of the size.
        bool haveSizeKey_ = false;
        std::uint64_t sizeKeyBits_ = 0;
        double sizeKey_ = 0;
    };

    // The input of candidate `index` and its compact row computed afresh.
    PileInput InputAt(std::uint64_t index) const;
    CandidateRow RowAt(std::uint64_t index) const;

    // The section type code (1..4) and the socket depth (m) of candidate `index`, by
    // arithmetic on its position alone: no input is built and nothing is computed.
    std::uint8_t SectionAt(std::uint64_t index) const;
    double DepthAt(std::uint64_t index) const;

private:
    // One section type of row 0: its candidates follow one another from `first`.
    struct Segment {
        std::uint8_t section = 1;
        int outerRow = itemrow::Diameter;
        int innerRow = -1;  // -1: one size loop
        std::uint64_t first = 0;
        std::uint64_t innerCount = 1;
        std::uint64_t count = 0;
    };
    // The bases of row 8 in order, each with its loop of classes or indices.
    struct Basis {
        std::uint8_t code = 1;
        std::uint64_t first = 0;  // slot of its first candidate within a block
        std::uint64_t count = 1;
    };
    // The value sequence of an item row, and its texts FormatFixed(value, 10, 2) when
    // they are few enough to keep.
    struct Sequence {
        std::vector<double> values;
        std::vector<std::string> texts;
    };

    const Segment& SegmentOf(std::uint64_t index) const;
    static Sequence SequenceOf(const OptimizationItem& item, bool keepTexts);
    static std::string TextOf(const Sequence& sequence, std::uint64_t index);

    PileInput input_;  // the fields the search never writes, from the page
    std::string weathering_;  // of the page's layer row 0; empty without layers
    int precisionMode_ = 0;
    std::uint64_t count_ = 0;
    std::vector<Segment> segments_;
    std::vector<Basis> bases_;
    std::uint64_t perBlock_ = 1;  // candidates per block: the sum of the bases' counts
    bool depthInMultiples_ = false;
    Sequence sizes_[itemrow::SocketDepth];  // rows 1..5, those the section types use
    Sequence depths_;
    Sequence frks_;
    Sequence classes_;
    Sequence indices_;
    // The integrity cells before any candidate wrote them, and as the last candidate of
    // each basis leaves them.
    std::string pageClassText_;
    std::string pageIndexText_;
    std::string lastClassText_;
    std::string lastIndexText_;
};

}  // namespace rockpile
