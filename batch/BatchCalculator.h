#pragma once
// The batch calculator: computes a pile schedule or input files without a window and
// writes the reports the window would have saved after computing the same piles in the
// same order, plus a summary of every pile.
//
// Each pile goes through the same calculation core and the same report step as the
// window's compute run: the report entry is built from what the input page would hold
// after the run (SnapshotAfterRun), so the lines are the window's, byte for byte.

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <string>
#include <vector>

#include "io/PageInputs.h"
#include "report/Reports.h"
#include "files/TimeStamp.h"

namespace rockpile {

// What one pile's run leaves for the summary.
struct PileRun {
    bool ok = false;
    int entryNumber = 0;     // ZH number in the reports; 0 when the pile failed
    std::string sizeText1;   // the size texts after the run (rectangle sides exchanged)
    std::string sizeText2;
    std::string rpa;         // the result fields as the window shows them
    std::string ra;
    std::string percent;
    std::string verdict;
    std::string message;     // the failed check, or the last message left in the status line
};

// The report step a completed calculation is handed to: appends its entry and returns
// the entry's number, or 0 when the reports refuse it (a layer cell that must be a
// number is not one).
using ReportStep = std::function<int(const ReportSnapshot& snapshot, const PileResult& result)>;

// One compute run of the window on `inputs`: the calculation, then, when it completes
// and `report` is given, the report step.
PileRun RunPile(const PageInputs& inputs, const ReportStep& report);
// The same with the report step of `reports` (when given) and `timeStamp`.
PileRun RunPile(const PageInputs& inputs, ReportModel* reports, const std::string& timeStamp);

// The summary file's name in the output folder.
QString SummaryFileName();

class BatchCalculator {
public:
    BatchCalculator(QTextStream& out, QTextStream& err) : out_(out), err_(err) {}

    // The clock of the report time stamps; the system clock unless replaced.
    void setClock(Clock clock) { clock_ = std::move(clock); }
    // Progress is reported every `interval` piles (0: never).
    void setProgressInterval(int interval) { progressInterval_ = interval; }

    // Runs the command line `arguments` (the first is the program name). Returns the
    // exit status: 0 when every pile was computed and every file written, 1 when a pile
    // failed or a file could not be read or written, 2 for a wrong command line.
    int execute(const QStringList& arguments);

private:
    QTextStream& out_;
    QTextStream& err_;
    Clock clock_ = SystemClock();
    int progressInterval_ = 1000;
};

}  // namespace rockpile
