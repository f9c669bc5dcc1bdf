#pragma once
// The two reports of a batch run, written to their files as the piles are computed.
//
// Each file gets the lines the window's reports hold after the same calculations (head,
// entries, tail with the last time stamp; see report/Reports.h), converted and written
// block by block through a ResultFileWriter, so a schedule of any length needs no more
// memory than one entry and one block. An earlier file of the same name is replaced only
// by finish(), once the new one is complete; a write that fails leaves it as it was and
// stops only that file, the other report and the calculation go on.

#include <QString>
#include <QStringList>
#include <string>

#include "files/ResultFile.h"
#include "report/Reports.h"

namespace rockpile {

class ReportFiles {
public:
    // The text report and the table report in `folder`, under the names the window saves.
    explicit ReportFiles(const QString& folder);

    // The report step: writes entry reportCount() + 1 of a completed calculation to both
    // files, with the head lines before the first. Returns false, writing nothing, when a
    // layer cell that must be a number is not one.
    bool AppendReports(const ReportSnapshot& snapshot, const PileResult& result,
                       const std::string& timeStamp);
    int reportCount() const { return reportCount_; }

    // Writes the tails and replaces both files. With no entry written there is nothing to
    // save and earlier files stay as they are. Adds the path of each file written to
    // `written` and the message of each file that could not be to `errors`.
    void finish(QStringList& written, QStringList& errors);

private:
    struct File {
        File(const QString& path, ReportType kind)
            : path(path), kind(kind), writer(path, LineEnds::Between)
        {
        }
        QString path;
        ReportType kind;
        ResultFileWriter writer;
    };
    File text_;
    File table_;
    int reportCount_ = 0;
    std::string lastTimeStamp_;
};

}  // namespace rockpile
