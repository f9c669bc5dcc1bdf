#pragma once
// The pile schedule: a CSV file with one pile per row, for the batch calculator.
//
// The first row names the columns: the fixed columns of kScheduleColumns, then one
// group of kLayerColumns per layer, suffixed "_1", "_2", ... up to the most layers any
// pile has (at most 9). Each later row is one pile; a row may use fewer layer groups
// than the header has, and leaves the rest empty. Fields follow RFC 4180 (quotes
// around a field that holds a comma, a quote or a line break; "" for a quote).
//
// The file is read as UTF-8 (with or without a byte order mark) or, when it is not
// valid UTF-8, as GBK, which is what a spreadsheet on a Chinese Windows system saves.
// Faults of the whole file (encoding, header, no rows) stop the reading; a fault of a
// row marks that row only, so every other pile is still computed.

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

#include "io/PageInputs.h"

namespace rockpile {

// Fixed columns, in order.
inline constexpr const char* kScheduleColumns[] = {
    "桩号",       // the pile's own name, any text
    "截面",       // 圆桩, 椭圆桩 or 矩形桩
    "尺寸1",      // mm: d (圆桩, 椭圆桩) or a (矩形桩)
    "尺寸2",      // mm: c (椭圆桩) or b (矩形桩); 圆桩 leaves it empty or 0
    "强度取值",   // 0/1 or the item text; empty: 1
    "系数取值",   // 0..3 or the item text; empty: 1
    "插值依据",   // 0/1 or the item text; empty: 0
    "钻冲孔桩",   // 是/否 (or 1/0); empty: 是
    "折减系数",   // number; empty: 0.70
    "软质岩暴露", // 是/否 (or 1/0); empty: 是
    "岩层数",     // 1..9
};
// Columns of one layer group, each followed by "_" and the layer number.
inline constexpr const char* kLayerColumns[] = {
    "lr", "风化程度", "完整程度", "完整性指数", "frk", "C1", "C2", "qpa", "qra",
};

struct ScheduleRow {
    int line = 0;        // line of the file where the row starts, the header being line 1
    PageInputs inputs;   // valid when error is empty
    QString error;       // what is wrong with the row, starting with its line number
};

struct Schedule {
    std::vector<ScheduleRow> rows;
};

// A schedule read row by row, so that a schedule of any length is computed in the
// memory of one block of the file. open() reads the whole file once to find its
// encoding and the faults of the whole file (with the messages of ParseSchedule) and to
// count its piles; next() then reads the rows in order.
class ScheduleReader {
public:
    // The file at `path`.
    ScheduleReader(const QString& path, int precisionMode);
    // `bytes`; `fileName` is for messages only.
    ScheduleReader(const QByteArray& bytes, const QString& fileName, int precisionMode);
    ~ScheduleReader();
    ScheduleReader(const ScheduleReader&) = delete;
    ScheduleReader& operator=(const ScheduleReader&) = delete;

    // Checks the whole file. Returns false with a message naming the file when it
    // cannot be read as a schedule.
    bool open(QString& error);
    // The number of pile rows (blank rows not counted).
    qsizetype rowCount() const;
    // The next pile row. Returns false after the last one, or when the file can no
    // longer be read; error() then tells why.
    bool next(ScheduleRow& row);
    const QString& error() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Reads a schedule from `bytes`; `fileName` is for messages only. Returns false with a
// message naming the file when the file as a whole cannot be read; `schedule` is then
// left as it was. `precisionMode` is given to every pile.
bool ParseSchedule(const QByteArray& bytes, const QString& fileName, int precisionMode,
                   Schedule& schedule, QString& error);
bool ReadSchedule(const QString& path, int precisionMode, Schedule& schedule, QString& error);

// The header row for piles of up to `layers` layers (without a line end).
QString ScheduleHeader(int layers);

}  // namespace rockpile
