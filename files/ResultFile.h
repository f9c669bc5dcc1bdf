#pragma once
// Writing result files: lines of UTF-8 text, converted to GBK (the code page the files
// are read with on Chinese Windows systems), CR LF line ends, no byte order mark.
//
// A save either replaces the target whole or leaves it as it was: the bytes go to a
// temporary file beside the target, which is renamed over it only after everything has
// been written. A character that GBK cannot hold is found before anything touches the
// disk and is reported by name; nothing is ever replaced by a substitute character.

#include <string>
#include <vector>

#include <QByteArray>
#include <QString>

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

// The bytes of a file of `lines` (UTF-8). Returns false and sets `error` to a message
// naming the first character that GBK cannot hold (line and column counted from 1).
bool EncodeLines(const std::vector<std::string>& lines, LineEnds ends, QByteArray& bytes,
                 QString& error);

// Encodes `lines` and writes them to `path`, replacing any file of that name only when
// all bytes have been written. Returns false with a message in `error` (the system's
// error text for a failed write) and leaves the disk as it was.
bool WriteLines(const QString& path, const std::vector<std::string>& lines, LineEnds ends,
                QString& error);

}  // namespace rockpile
