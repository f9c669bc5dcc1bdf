#include "files/ResultFile.h"

#include <cerrno>
#include <csignal>

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>

namespace rockpile {

namespace {

constexpr const char* kEncoding = "GBK";

// Whether `text` survives GBK both ways: encodable without error, and decoding the
// bytes gives the same text back (so that no best-fit substitute slips through).
bool RoundTrips(QStringView text)
{
    QStringEncoder encoder(kEncoding);
    QStringDecoder decoder(kEncoding);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) return false;
    const QString back = decoder.decode(bytes);
    return !decoder.hasError() && back == text;
}

// Locates the first character of `lines` (the first of them being line firstLine + 1) that GBK cannot hold and describes it.
QString DescribeUnencodable(const QStringList& lines, std::uint64_t firstLine)
{
    for (qsizetype row = 0; row < lines.size(); ++row) {
        const QString& line = lines[row];
        qsizetype column = 0;
        for (qsizetype i = 0; i < line.size(); ++column) {
            const qsizetype units =
                (line[i].isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate())
                    ? 2 : 1;
            const QStringView character = QStringView(line).mid(i, units);
            if (!RoundTrips(character)) {
                const char32_t code = units == 2
                    ? QChar::surrogateToUcs4(line[i], line[i + 1]) : line[i].unicode();
                const QString hex =
                    QStringLiteral("%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
                return QStringLiteral("第%1行第%2个字符“%3”(U+%4)无法以GBK编码存盘，文件未写入")
                    .arg(firstLine + std::uint64_t(row) + 1)
                    .arg(column + 1)
                    .arg(character.toString(), hex);
            }
            i += units;
        }
    }
    return QStringLiteral("文本无法以GBK编码存盘，文件未写入");
}

// Opens the temporary file of an atomic save of `path`. No direct-write fallback: a
// folder that allows no temporary file fails the save instead of truncating the earlier
// file in place. Unbuffered, so that a write the disk cuts short shows up at once: a
// buffered write would be flushed on commit, where a short write is not reported.
bool OpenAtomic(QSaveFile& file, int& errorNumber)
{
    KeepFileSizeLimitFromEndingProcess();
    file.setDirectWriteFallback(false);
    errno = 0;
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return true;
    errorNumber = errno;
    return false;
}

// Writes all `size` bytes; after a short write the next call fails with the system's
// reason, which is kept in errorNumber.
bool WriteAll(QSaveFile& file, const char* data, std::size_t size, int& errorNumber)
{
    for (std::size_t done = 0; done < size;) {
        errno = 0;
        const qint64 written = file.write(data + done, qint64(size - done));
        if (written <= 0) {
            errorNumber = errno;
            return false;
        }
        done += std::size_t(written);
    }
    return true;
}

}  // namespace

QString UnencodableLineMessage(std::string_view utf8, std::uint64_t lineIndex)
{
    return DescribeUnencodable(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())).split(QStringLiteral("\r\n")),
                               lineIndex);
}

QString TextReportFileName()
{
    return QStringLiteral("嵌岩桩计算书(依据DBJ15-31-2016)_文本.txt");
}

QString TableReportFileName()
{
    return QStringLiteral("嵌岩桩计算书(依据DBJ15-31-2016)_表格.txt");
}

QString SearchResultFileName()
{
    return QStringLiteral("嵌岩桩优化计算原始结果(依据DBJ15-31-2016)_表格.txt");
}

QString FilteredResultFileName()
{
    return QStringLiteral("嵌岩桩优化计算筛选结果(依据DBJ15-31-2016)_表格.txt");
}

QString DocumentsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString ResultFilePath(const QString& folder, const QString& fileName)
{
    return QDir::toNativeSeparators(QDir(folder).filePath(fileName));
}

QString NoDocumentsFolderMessage()
{
    return QStringLiteral("找不到“文档”文件夹，计算结果未能存盘");
}

bool EnsureFolder(const QString& folder, QString& error)
{
    if (folder.isEmpty()) {
        error = NoDocumentsFolderMessage();
        return false;
    }
    if (QFileInfo(folder).isDir() || QDir().mkpath(folder)) return true;
    error = QStringLiteral("文件夹无法创建：%1，计算结果未能存盘")
                .arg(QDir::toNativeSeparators(QFileInfo(folder).absoluteFilePath()));
    return false;
}

SaveFailure ClassifySaveFailure(const QString& path, int errorNumber)
{
    // The state of the disk first: creating a file where a folder stands, or in a
    // folder that is not there, is refused before the system is asked.
    const QFileInfo target(path);
    if (target.isDir()) return SaveFailure::IsFolder;
    if (!target.absoluteDir().exists()) return SaveFailure::NoFolder;
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return SaveFailure::NoFolder;
    case EACCES:
    case EPERM:
        return SaveFailure::NoPermission;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return SaveFailure::DiskFull;
    case EISDIR:
        return SaveFailure::IsFolder;
    case EROFS:
        return SaveFailure::ReadOnly;
    case ENOMEM:
        return SaveFailure::OutOfMemory;
    default:
        return SaveFailure::Other;
    }
}

QString SaveFailureCauseText(SaveFailure cause)
{
    switch (cause) {
    case SaveFailure::NoFolder: return QStringLiteral("文件夹不存在");
    case SaveFailure::NoPermission: return QStringLiteral("没有写入权限");
    case SaveFailure::DiskFull: return QStringLiteral("磁盘已满或文件超过允许的大小");
    case SaveFailure::IsFolder: return QStringLiteral("该路径是一个文件夹");
    case SaveFailure::ReadOnly: return QStringLiteral("文件系统为只读");
    case SaveFailure::OutOfMemory: return QStringLiteral("内存不足");
    case SaveFailure::Other: break;
    }
    return {};
}

QString SaveFailureReason(SaveFailure cause, const QString& systemText)
{
    if (cause != SaveFailure::Other) return SaveFailureCauseText(cause);
    return QStringLiteral("原因未能识别，系统提示：") + systemText;
}

QString SaveFailureMessage(const QString& path, SaveFailure cause, const QString& systemText)
{
    return QStringLiteral("文件无法保存：%1\n").arg(QDir::toNativeSeparators(path)) +
           SaveFailureReason(cause, systemText);
}

void KeepFileSizeLimitFromEndingProcess()
{
#ifdef SIGXFSZ
    // Checked at every open, not once: the program may have reset the action since.
    struct sigaction current {};
    if (sigaction(SIGXFSZ, nullptr, &current) != 0) return;
    if (!(current.sa_flags & SA_SIGINFO) && current.sa_handler == SIG_DFL) {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        sigaction(SIGXFSZ, &ignore, nullptr);
    }
#endif
}

bool EncodeLines(const std::vector<std::string>& lines, LineEnds ends, QByteArray& bytes,
                 QString& error)
{
    QStringList texts;
    texts.reserve(qsizetype(lines.size()));
    for (const std::string& line : lines)
        texts.append(QString::fromUtf8(line.data(), qsizetype(line.size())));

    QString whole = texts.join(QStringLiteral("\r\n"));
    if (ends == LineEnds::AfterEach && !texts.isEmpty()) whole += QStringLiteral("\r\n");

    QStringEncoder encoder(kEncoding);
    if (!encoder.isValid()) {
        error = QStringLiteral("本系统不支持GBK编码，文件未写入");
        return false;
    }
    QByteArray encoded = encoder.encode(whole);
    if (encoder.hasError() || !RoundTrips(whole)) {
        error = DescribeUnencodable(texts, 0);
        return false;
    }
    bytes = std::move(encoded);
    return true;
}

// ---------------------------------------------------------------- ResultFileWriter

ResultFileWriter::ResultFileWriter(const QString& path, LineEnds ends) : path_(path), ends_(ends) {}

ResultFileWriter::~ResultFileWriter() { cancel(); }

bool ResultFileWriter::open()
{
    if (failed()) return false;
    if (!encoder_.isValid()) {
        error_ = QStringLiteral("本系统不支持GBK编码，文件未写入");
        return false;
    }
    file_ = std::make_unique<QSaveFile>(path_);
    int errorNumber = 0;
    if (!OpenAtomic(*file_, errorNumber)) return failWithSystemError(errorNumber);
    open_ = true;
    block_.reserve(kBlockBytes + 1024);
    return true;
}

bool ResultFileWriter::writeLine(std::string_view utf8)
{
    if (failed() || !open_) return false;
    if (ends_ == LineEnds::Between && lines_ > 0) block_ += "\r\n";
    if (!encoder_.append(utf8, block_)) {
        error_ = UnencodableLineMessage(utf8, lines_);
        cancel();
        return false;
    }
    if (ends_ == LineEnds::AfterEach) block_ += "\r\n";
    ++lines_;
    if (block_.size() >= kBlockBytes) return writeBlock();
    return true;
}

bool ResultFileWriter::writeEncoded(std::string_view gbk, std::uint64_t lineCount)
{
    if (failed() || !open_) return false;
    if (ends_ != LineEnds::AfterEach) {
        fail(SaveFailure::Other, QStringLiteral("lines converted elsewhere need a line end after each"));
        return false;
    }
    if (!writeBlock()) return false;
    int errorNumber = 0;
    if (!WriteAll(*file_, gbk.data(), gbk.size(), errorNumber)) return failWithSystemError(errorNumber);
    lines_ += lineCount;
    return true;
}

bool ResultFileWriter::writeBlock()
{
    int errorNumber = 0;
    if (!WriteAll(*file_, block_.data(), block_.size(), errorNumber)) return failWithSystemError(errorNumber);
    block_.clear();
    return true;
}

bool ResultFileWriter::commit()
{
    if (failed() || !open_) return false;
    if (!writeBlock()) return false;
    errno = 0;
    if (!file_->commit()) {
        const int errorNumber = errno;
        open_ = false;
        return failWithSystemError(errorNumber);
    }
    open_ = false;
    file_.reset();
    return true;
}

void ResultFileWriter::cancel()
{
    if (file_ && open_) file_->cancelWriting();
    open_ = false;
    file_.reset();
    block_.clear();
    block_.shrink_to_fit();
}

void ResultFileWriter::fail(SaveFailure cause, const QString& systemText)
{
    if (!failed()) error_ = SaveFailureMessage(path_, cause, systemText);
    cancel();
}

void ResultFileWriter::failUnencodable(std::string_view utf8, std::uint64_t linesAhead)
{
    if (!failed()) error_ = UnencodableLineMessage(utf8, lines_ + linesAhead);
    cancel();
}

bool ResultFileWriter::failWithSystemError(int errorNumber)
{
    if (!failed()) {
        const QString systemText = file_ ? file_->errorString() : QString();
        error_ = SaveFailureMessage(path_, ClassifySaveFailure(path_, errorNumber), systemText);
    }
    cancel();
    return false;
}

bool WriteBytes(const QString& path, const QByteArray& bytes, QString& error)
{
    QSaveFile file(path);
    int errorNumber = 0;
    bool written = OpenAtomic(file, errorNumber) &&
                   WriteAll(file, bytes.constData(), std::size_t(bytes.size()), errorNumber);
    if (written) {
        errno = 0;
        written = file.commit();
        if (!written) errorNumber = errno;
    }
    if (written) return true;
    error = SaveFailureMessage(path, ClassifySaveFailure(path, errorNumber), file.errorString());
    file.cancelWriting();
    return false;
}

bool WriteLines(const QString& path, const std::vector<std::string>& lines, LineEnds ends,
                QString& error)
{
    ResultFileWriter writer(path, ends);
    bool written = writer.open();
    for (std::size_t i = 0; written && i < lines.size(); ++i) written = writer.writeLine(lines[i]);
    if (written) written = writer.commit();
    if (!written) error = writer.error();
    return written;
}

}  // namespace rockpile
