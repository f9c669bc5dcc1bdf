#include "files/ResultFile.h"

#include <QDir>
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

// Locates the first character of `lines` that GBK cannot hold and describes it.
QString DescribeUnencodable(const QStringList& lines)
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
                    .arg(row + 1)
                    .arg(column + 1)
                    .arg(character.toString(), hex);
            }
            i += units;
        }
    }
    return QStringLiteral("文本无法以GBK编码存盘，文件未写入");
}

}  // namespace

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
        error = DescribeUnencodable(texts);
        return false;
    }
    bytes = std::move(encoded);
    return true;
}

bool WriteLines(const QString& path, const std::vector<std::string>& lines, LineEnds ends,
                QString& error)
{
    QByteArray bytes;
    if (!EncodeLines(lines, ends, bytes, error)) return false;

    QSaveFile file(path);
    // No direct-write fallback: a folder that allows no temporary file fails the save
    // instead of truncating the earlier file in place.
    file.setDirectWriteFallback(false);
    const auto fail = [&] {
        error = QStringLiteral("文件无法保存：%1\n%2")
                    .arg(QDir::toNativeSeparators(path), file.errorString());
        file.cancelWriting();
        return false;
    };
    // Unbuffered, so that a write the disk cuts short shows up here: a buffered write
    // would be flushed on commit, where a short write is not reported.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail();
    for (qsizetype done = 0; done < bytes.size();) {
        // After a short write the next call fails with the system's reason.
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) return fail();
        done += qsizetype(written);
    }
    if (!file.commit()) {
        error = QStringLiteral("文件无法保存：%1\n%2")
                    .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}

}  // namespace rockpile
