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

// One compute run of the window on `inputs`: the calculation, then, when it completes
// and `reports` is given, the report step with `timeStamp`.
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

    // The reports of the last execute().
    const ReportModel& reports() const { return reports_; }

private:
    QTextStream& out_;
    QTextStream& err_;
    Clock clock_ = SystemClock();
    int progressInterval_ = 1000;
    ReportModel reports_;
};

}  // namespace rockpile
