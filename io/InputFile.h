#pragma once
// The input file of the input page: JSON, UTF-8, with a format version.
//
// Every number is kept as the text the user typed ("1.00" stays "1.00"), so a file
// opened again computes exactly what was computed when it was saved. A file of a newer
// version is refused; older versions would be brought forward step by step on the
// parsed JSON before it is read (version 1 is the first, so there are no steps yet).
// Every error is a Chinese message that names the file and what is wrong with it.

#include <QByteArray>
#include <QString>

#include "io/PageInputs.h"

namespace rockpile {

// The version this program writes and the newest it reads.
inline constexpr int kInputFileVersion = 1;
// The value of the "format" member, which tells our files from other JSON.
inline constexpr const char* kInputFileFormat = "rockpile-input";
// The file name suffix the window offers.
inline constexpr const char* kInputFileSuffix = "json";

// The bytes of the file of `inputs`: indented JSON, UTF-8, a final line break.
QByteArray InputFileBytes(const PageInputs& inputs);

// Reads `bytes` as an input file called `fileName` (used in messages only). On
// failure returns false, sets `error` and leaves `inputs` as it was.
bool ParseInputFile(const QByteArray& bytes, const QString& fileName, PageInputs& inputs,
                    QString& error);

// Reads the file at `path`; failures as ParseInputFile, or that it cannot be read.
bool ReadInputFile(const QString& path, PageInputs& inputs, QString& error);

// Writes the file at `path`, replacing an existing file only once the new one is
// complete. On failure returns false with a message in `error`; the disk is unchanged.
bool WriteInputFile(const QString& path, const PageInputs& inputs, QString& error);

}  // namespace rockpile
