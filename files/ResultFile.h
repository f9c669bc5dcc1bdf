#pragma once
// Writing result files: lines of UTF-8 text, converted to GBK (the code page the files
// are read with on Chinese Windows systems), CR LF line ends, no byte order mark.
//
// A save either replaces the target whole or leaves it as it was: the bytes go to a
// temporary file beside the target, which is renamed over it only after everything has
// been written. A character that GBK cannot hold is reported by line and column and
// cancels the save; nothing is ever replaced by a substitute character.
//
// Files are written in blocks as their lines arrive (ResultFileWriter), so a file of
// millions of lines needs no more memory than one block. Failures are told in Chinese
// by their cause; the system's own text is added only when the cause is none of the
// common ones.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QByteArray>
#include <QString>

#include "files/GbkEncoder.h"

class QSaveFile;

namespace rockpile {

// The four result files, all in the user's documents folder.
QString TextReportFileName();      // the text calculation report
QString TableReportFileName();     // the table report
QString SearchResultFileName();    // all candidates of the design search
QString FilteredResultFileName();  // the filtered candidates

enum class LineEnds {
    Between,   // CR LF between lines, none after the last; no lines give no bytes
    AfterEach  // CR LF after every line, the last included
};

// The user's documents folder, or the empty text when the platform cannot tell it.
QString DocumentsPath();

// `fileName` in `folder`, with the platform's separators.
QString ResultFilePath(const QString& folder, const QString& fileName);

// The message of a save for which the platform tells no documents folder.
QString NoDocumentsFolderMessage();

// Makes sure `folder` exists, creating it and its parents where missing (a documents
// folder that was never made is no reason to lose a save). Returns false with the
// message in `error` when there is no folder to name or it cannot be created.
bool EnsureFolder(const QString& folder, QString& error);

// Why a save failed.
enum class SaveFailure {
    NoFolder,      // the folder of the file does not exist
    NoPermission,  // the folder or the file may not be written
    DiskFull,      // the disk is full, or the file grew past the size allowed
    IsFolder,      // the path names a folder
    ReadOnly,      // the file system is mounted read-only
    OutOfMemory,   // memory ran out while the file was written
    Other,         // anything else: the system's text tells
};

// The cause of a failed create or write of `path`, from the state of the disk (a folder
// where the file should be, a missing folder) and the system's error number.
SaveFailure ClassifySaveFailure(const QString& path, int errorNumber);
// The Chinese text of a cause (empty for Other).
QString SaveFailureCauseText(SaveFailure cause);
// Why a save failed, in Chinese: the text of the cause, or for a cause outside the
// common ones "原因未能识别，系统提示：" and the system's text.
QString SaveFailureReason(SaveFailure cause, const QString& systemText);
// The message of a failed save: "文件无法保存：" + path, then on a second line the cause
// in Chinese; for a cause outside the common ones the system's text follows the Chinese.
QString SaveFailureMessage(const QString& path, SaveFailure cause, const QString& systemText);

// A write that would make a file larger than the process may write (RLIMIT_FSIZE)
// raises SIGXFSZ, whose default action ends the process. Every writer of this library
// calls this first: it ignores the signal, unless the program installed a handler of its
// own, so that such a write fails with EFBIG and is reported like a full disk. It looks
// at the action each time, as the program may have reset it in between.
void KeepFileSizeLimitFromEndingProcess();

// The bytes of a file of `lines` (UTF-8). Returns false and sets `error` to a message
// naming the first character that GBK cannot hold (line and column counted from 1).
bool EncodeLines(const std::vector<std::string>& lines, LineEnds ends, QByteArray& bytes,
                 QString& error);

// The message of a line that GBK cannot hold: its first such character named by line
// (lineIndex + 1) and column, as EncodeLines tells it.
QString UnencodableLineMessage(std::string_view utf8, std::uint64_t lineIndex);

// A result file written line by line. Lines are converted to GBK and checked as they
// come, collected into blocks and written through the atomic save; commit() replaces
// the target. After any failure the writer keeps its first error, writes nothing more,
// and the target stays as it was (the destructor cancels a save that was not committed).
class ResultFileWriter {
public:
    // Bytes collected before a block is written.
    static constexpr std::size_t kBlockBytes = 64 * 1024;

    ResultFileWriter(const QString& path, LineEnds ends);
    ~ResultFileWriter();
    ResultFileWriter(const ResultFileWriter&) = delete;
    ResultFileWriter& operator=(const ResultFileWriter&) = delete;

    // Creates the temporary file beside the target.
    bool open();
    bool writeLine(std::string_view utf8);
    // Writes `lineCount` lines converted elsewhere (by a GbkEncoder of another thread),
    // each followed by CR LF: for LineEnds::AfterEach only.
    bool writeEncoded(std::string_view gbk, std::uint64_t lineCount);
    // Writes what is left and replaces the target.
    bool commit();
    // Drops the temporary file; the target is untouched.
    void cancel();
    // Records a failure found outside the writer (memory ran out while lines were being
    // made) and cancels the save; `systemText` tells a cause outside the common ones.
    void fail(SaveFailure cause, const QString& systemText = {});
    // Records a line converted elsewhere that GBK cannot hold: the line that would have
    // been written next plus `linesAhead`.
    void failUnencodable(std::string_view utf8, std::uint64_t linesAhead);

    bool failed() const { return !error_.isEmpty(); }
    const QString& error() const { return error_; }
    std::uint64_t linesWritten() const { return lines_; }

private:
    bool writeBlock();
    bool failWithSystemError(int errorNumber);

    QString path_;
    LineEnds ends_;
    std::unique_ptr<QSaveFile> file_;
    GbkEncoder encoder_;
    std::string block_;  // GBK bytes not yet written
    std::uint64_t lines_ = 0;
    bool open_ = false;
    QString error_;
};

// Writes `bytes` to `path` through the same atomic save as the result files (a
// temporary file beside the target, renamed over it once everything is written; no
// writing in place). Returns false with SaveFailureMessage in `error` and leaves the disk
// as it was. For every file the program saves that is not made of GBK lines.
bool WriteBytes(const QString& path, const QByteArray& bytes, QString& error);

// Encodes `lines` and writes them to `path`, replacing any file of that name only when
// all bytes have been written. Returns false with a message in `error` and leaves the
// disk as it was.
bool WriteLines(const QString& path, const std::vector<std::string>& lines, LineEnds ends,
                QString& error);

}  // namespace rockpile
