#include "batch/ReportFiles.h"

namespace rockpile {

ReportFiles::ReportFiles(const QString& folder)
    : text_(ResultFilePath(folder, TextReportFileName()), ReportType::Text),
      table_(ResultFilePath(folder, TableReportFileName()), ReportType::Table)
{
}

bool ReportFiles::AppendReports(const ReportSnapshot& snapshot, const PileResult& result,
                                const std::string& timeStamp)
{
    const std::optional<ReportEntry> entry = MakeReportEntry(snapshot, result, reportCount_ + 1);
    if (!entry) return false;
    ++reportCount_;
    lastTimeStamp_ = timeStamp;
    // A writer that failed keeps its message and ignores what follows.
    for (File* file : {&text_, &table_}) {
        if (reportCount_ == 1 && file->writer.open())
            for (const std::string& line : ReportHead(file->kind)) file->writer.writeLine(line);
        for (const std::string& line : entry->lines(file->kind)) file->writer.writeLine(line);
    }
    return true;
}

void ReportFiles::finish(QStringList& written, QStringList& errors)
{
    if (reportCount_ == 0) return;
    for (File* file : {&text_, &table_}) {
        for (const std::string& line : ReportTail(file->kind, lastTimeStamp_)) file->writer.writeLine(line);
        if (file->writer.commit())
            written << file->path;
        else
            errors << file->writer.error();
    }
}

}  // namespace rockpile
