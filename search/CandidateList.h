#pragma once
// The candidates of one design search in compact form.
//
// A search can list millions of candidates, so a listed candidate keeps only the
// numbers of its sortable columns 2 and 4 (the sort keys, which are also the key of
// the filter): 16 bytes. Everything else follows from its position in search order:
// the search plan (SearchPlan) rebuilds its input, computes it again and gives a
// CandidateRow, the values whose formats make the 17 texts of a CandidatePile row,
// with the same formats the compute run uses. So texts are made only when a cell is
// drawn or a file is saved, and they are the texts the search would have stored.
//
// A list can also hold CandidateRow values given one by one (Append), for lists that
// do not come from a search.
//
// Rows are stored in search order and never move: the grids show them through an order
// (a vector of row indices), which the sort permutes and the filter selects from.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace rockpile {

// Columns of the result grids Grid2_Youhuajieguo and Grid3_Youhuasaixuan.
namespace candcol {
inline constexpr int Number = 0;         // "ZH-0001", or the plain running number
inline constexpr int Section = 1;        // SectionName(code, SectionNameStyle::Column)
inline constexpr int Size1 = 2;          // d | a (mm), sortable
inline constexpr int Size2 = 3;          // c | b (mm); "-" for a circular pile
inline constexpr int Ra = 4;             // Ra text of edt_ra, sortable, key of the filter
inline constexpr int Depth = 5;          // lr of layer row 0 (m)
inline constexpr int Frk = 6;            // MPa
inline constexpr int Weathering = 7;     // never shown
inline constexpr int Basis = 8;          // "1" class, "2" index
inline constexpr int Integrity = 9;      // class text, or the index with two decimals
inline constexpr int C1 = 10;
inline constexpr int C2 = 11;
inline constexpr int SideResistance = 12;
inline constexpr int SideShare = 13;
inline constexpr int EndResistance = 14;
inline constexpr int EndShare = 15;
inline constexpr int Remark = 16;        // empty
inline constexpr int Count = 17;
}  // namespace candcol

// The 17 texts of one candidate row.
using CandidateTexts = std::array<std::string, candcol::Count>;

// The plain header texts ("桩编号", "截面类型", "d|a(mm)", ...).
const std::array<const char*, candcol::Count>& CandidateHeaderTexts();
// The headers as the grids show them when the window is created: each right-aligned to
// display width 8 with blanks (PadLeft(text, ' ', 8)).
std::array<std::string, candcol::Count> CandidateHeaders();

// One candidate. The values are those whose formats give the texts of the columns:
struct CandidateRow {
    double size1 = 0;    // [2] FormatGeneral: cbe_dd after the run (sides exchanged)
    double size2 = 0;    // [3] FormatGeneral: cbe_tyzd after the run; unused when circular
    double depth = 0;    // [5] FormatFixed(depth, 10, 2): lr in m
    double frk = 0;      // [6] FormatFixed(frk, 10, 2)
    double kv = 0;       // [9] FormatFixed(kv, 10, 2) when basis is 2
    double c1 = 0;       // [10] FormatFixed(c1, 10, 3): layer column 8 read back
    double c2 = 0;       // [11] FormatFixed(c2, 10, 3): layer column 9 read back
    double sumRria = 0;  // [12] FormatFixed(sumRria, 10, 0): layer column 14 read back
    double raCell = 0;   // layer column 12 read back: the Ra of the shares [13], [15]
    double rpaCell = 0;  // [14] FormatFixed(rpaCell, 10, 0): layer column 13 read back
    double ra = 0;       // [4] Ra of the calculation, formatted as edt_ra shows it
    double dKey = 0;     // the number of the text of column 2
    double raKey = 0;    // the number of the text of column 4
    std::uint8_t section = 1;         // [1] SectionType code 1..4 (4: square)
    std::uint8_t basis = 1;           // [8] 1 or 2
    std::uint8_t integrityClass = 1;  // [9] 1..5 when basis is 1
};

// What a listed candidate of a search keeps: the numbers of its texts in columns 4
// and 2.
struct CandidateKeys {
    double ra;  // raKey
    double d;   // dKey
};

class SearchPlan;

class CandidateList {
public:
    CandidateList() = default;
    // A list of rows given by Append. weathering: the weathering text of layer row 0
    // during the search (column 7); precisionMode: the PrecisionMode by which the Ra
    // texts of column 4 are formatted.
    CandidateList(std::string weathering, int precisionMode);
    // The first keys.size() candidates of the search of `plan`, in search order.
    CandidateList(std::shared_ptr<const SearchPlan> plan, std::vector<CandidateKeys> keys);

    std::size_t size() const { return plan_ ? keys_.size() : rows_.size(); }
    bool empty() const { return size() == 0; }
    // The row with this index; for a search, computed afresh (about a microsecond).
    CandidateRow row(std::size_t index) const;

    // The text of a cell of the row with this index (its position in search order).
    // Texts computes the row once for all its cells.
    std::string Text(std::size_t index, int column) const;
    CandidateTexts Texts(std::size_t index) const;

    // Makes the texts of many rows one after another, as a file save does: it keeps the
    // input of the last candidate (moving to the next one rewrites only the fields that
    // change) and the texts of the last row, formatting again only the cells whose
    // values differ. Gives exactly the texts of Texts. One per thread; the list must
    // outlive it.
    class TextMaker {
    public:
        explicit TextMaker(const CandidateList& list);
        ~TextMaker();
        TextMaker(const TextMaker&) = delete;
        TextMaker& operator=(const TextMaker&) = delete;
        // The texts of the row with this index, valid until the next call.
        const CandidateTexts& Texts(std::size_t index);

    private:
        struct Walk;
        const CandidateList& list_;
        std::unique_ptr<Walk> walk_;
        CandidateTexts texts_;
        CandidateRow last_;
        bool haveLast_ = false;
    };

    // The number in column 2 or 4 (the sort keys); 0 for other columns. Stored: no
    // calculation.
    double Key(std::size_t index, int column) const;
    // The section type code (1..4) and the socket depth (m) of the row, as its columns
    // 1 and 5 show them; for a search, from its position alone (no calculation).
    std::uint8_t Section(std::size_t index) const;
    double Depth(std::size_t index) const;

    // Column 0: the plain running number index + 1 until Number() is called, then
    // "ZH-" and the running number padded with "0" to the digits of the row count.
    bool numbered() const { return numbered_; }
    void Number() { numbered_ = true; }

    const std::string& weathering() const { return weathering_; }
    int precisionMode() const { return precisionMode_; }

    // For a list of given rows only.
    void Reserve(std::size_t count) { rows_.reserve(count); }
    void Append(const CandidateRow& row) { rows_.push_back(row); }
    // Bytes held per row (capacity), for measuring.
    std::size_t MemoryBytes() const
    {
        return rows_.capacity() * sizeof(CandidateRow) + keys_.capacity() * sizeof(CandidateKeys);
    }

private:
    std::string CellText(const CandidateRow& row, std::size_t index, int column) const;

    std::shared_ptr<const SearchPlan> plan_;
    std::vector<CandidateKeys> keys_;
    std::vector<CandidateRow> rows_;
    std::string weathering_;
    int precisionMode_ = 2;
    bool numbered_ = false;
};

// The order of all rows of a list as the search lists them: 0, 1, ..., size - 1.
std::vector<std::uint32_t> SearchOrder(const CandidateList& list);

// "ZH-" + the running number padded on the left with "0" to the number of decimal
// digits of rowCount: position 0 of 9 rows is "ZH-1", of 150 rows "ZH-001".
std::string PileNumber(std::size_t position, std::size_t rowCount);

}  // namespace rockpile
