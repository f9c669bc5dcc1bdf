// Result files: GBK bytes, CR LF placement, refusal of unencodable text before anything
// is written, and saves that fail without touching the earlier file.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "files/GbkEncoder.h"
#include "files/ResultFile.h"

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using rockpile::LineEnds;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
    return file.readAll();
}

void WriteRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

#ifdef Q_OS_UNIX
// Limits the size of any file this process writes, as a full disk would; the signal
// that the limit raises is ignored so that the write fails with an error instead.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};
#endif

}  // namespace

class TestSaveFile : public QObject {
    Q_OBJECT
private slots:
    void fileNames();
    void pathUsesPlatformSeparator();
    void bytes_data();
    void bytes();
    void writtenFileHoldsExactBytes();
    void overwritesEarlierFile();
    void unencodableCharacterRefusedBeforeWriting_data();
    void unencodableCharacterRefusedBeforeWriting();
    void missingFolderFails();
    void targetThatIsAFolderFails();
    void readOnlyFolderKeepsEarlierFile();
    void fullDiskKeepsEarlierFile_data();
    void fullDiskKeepsEarlierFile();
    void failureCauseTexts_data();
    void failureCauseTexts();
    void unrecognisedCauseKeepsSystemTextAfterChinese();
    void fileSizeLimitInChildProcessIsReported();
    void streamedBlocksGiveTheSameBytes();
    void fastConversionGivesTheBytesOfAWholeConversion();
    void bytesSavedWhole();
    void bytesSaveFailuresToldInChinese_data();
    void bytesSaveFailuresToldInChinese();
    void unencodableCharacterInLaterBlockNamedByItsLine();
};

void TestSaveFile::fileNames()
{
    QCOMPARE(rockpile::TextReportFileName(),
             QStringLiteral("嵌岩桩计算书(依据DBJ15-31-2016)_文本.txt"));
    QCOMPARE(rockpile::TableReportFileName(),
             QStringLiteral("嵌岩桩计算书(依据DBJ15-31-2016)_表格.txt"));
    QCOMPARE(rockpile::SearchResultFileName(),
             QStringLiteral("嵌岩桩优化计算原始结果(依据DBJ15-31-2016)_表格.txt"));
    QCOMPARE(rockpile::FilteredResultFileName(),
             QStringLiteral("嵌岩桩优化计算筛选结果(依据DBJ15-31-2016)_表格.txt"));
}

void TestSaveFile::pathUsesPlatformSeparator()
{
    const QString folder = QDir::toNativeSeparators(QDir::tempPath());
    QCOMPARE(rockpile::ResultFilePath(folder, QStringLiteral("a.txt")),
             folder + QDir::separator() + QStringLiteral("a.txt"));
}

void TestSaveFile::bytes_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("crlfAfterEach");
    QTest::addColumn<QByteArray>("expected");

    // 嵌 C7B6, 岩 D1D2, 桩 D7AE, μ A6CC, ： A3BA, 《 A1B6, 》 A1B7
    QTest::newRow("report: none") << QStringList{} << false << QByteArray();
    QTest::newRow("report: one line") << QStringList{"嵌岩桩"} << false
                                      << QByteArray::fromHex("c7b6d1d2d7ae");
    QTest::newRow("report: two lines") << QStringList{"ab", "μ(m)"} << false
                                       << QByteArray("ab\r\n\xa6\xcc(m)");
    QTest::newRow("report: empty lines") << QStringList{"", "", ""} << false
                                         << QByteArray("\r\n\r\n");
    QTest::newRow("report: trailing blank kept")
        << QStringList{"x  ", "《》："} << false << QByteArray("x  \r\n\xa1\xb6\xa1\xb7\xa3\xba");
    QTest::newRow("search file: none") << QStringList{} << true << QByteArray();
    QTest::newRow("search file: one line") << QStringList{"ZH-1"} << true
                                           << QByteArray("ZH-1\r\n");
    QTest::newRow("search file: two lines") << QStringList{"桩", ""} << true
                                            << QByteArray("\xd7\xae\r\n\r\n");
}

void TestSaveFile::bytes()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, crlfAfterEach);
    QFETCH(QByteArray, expected);

    std::vector<std::string> utf8;
    for (const QString& line : lines) utf8.push_back(line.toStdString());
    QByteArray bytes("junk");
    QString error;
    QVERIFY(rockpile::EncodeLines(utf8, crlfAfterEach ? LineEnds::AfterEach : LineEnds::Between,
                                  bytes, error));
    QCOMPARE(bytes, expected);
    QVERIFY(error.isEmpty());
}

void TestSaveFile::writtenFileHoldsExactBytes()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = rockpile::ResultFilePath(dir.path(), rockpile::TextReportFileName());
    QString error;
    QVERIFY2(rockpile::WriteLines(path, {"计算时间：", "嵌岩桩"}, LineEnds::Between, error),
             qPrintable(error));
    QCOMPARE(ReadAll(path), QByteArray::fromHex("bcc6cbe3cab1bce4a3ba0d0ac7b6d1d2d7ae"));

    // An empty report gives an empty file, replacing the earlier one.
    QVERIFY2(rockpile::WriteLines(path, {}, LineEnds::Between, error), qPrintable(error));
    QVERIFY(QFile::exists(path));
    QCOMPARE(ReadAll(path), QByteArray());
    // Only the target is left in the folder: no temporary file stays behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{rockpile::TextReportFileName()});
}

void TestSaveFile::overwritesEarlierFile()
{
    QTemporaryDir dir;
    const QString path = rockpile::ResultFilePath(dir.path(), rockpile::TableReportFileName());
    WriteRaw(path, QByteArray(5000, 'z'));
    QString error;
    QVERIFY(rockpile::WriteLines(path, {"a", "b"}, LineEnds::AfterEach, error));
    QCOMPARE(ReadAll(path), QByteArray("a\r\nb\r\n"));
}

void TestSaveFile::unencodableCharacterRefusedBeforeWriting_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("named");

    QTest::newRow("snowman in line 2") << QStringList{"桩", "ab☃c"}
                                       << QStringLiteral("第2行第3个字符“☃”(U+2603)");
    QTest::newRow("copyright sign") << QStringList{"©"} << QStringLiteral("第1行第1个字符“©”(U+00A9)");
    QTest::newRow("character outside the basic plane")
        << QStringList{"", "桩桩😀"} << QStringLiteral("第2行第3个字符“😀”(U+1F600)");
}

void TestSaveFile::unencodableCharacterRefusedBeforeWriting()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, named);

    std::vector<std::string> utf8;
    for (const QString& line : lines) utf8.push_back(line.toStdString());

    QByteArray bytes;
    QString error;
    QVERIFY(!rockpile::EncodeLines(utf8, LineEnds::Between, bytes, error));
    QVERIFY2(error.contains(named), qPrintable(error));

    // Neither a new file nor a change to an earlier one.
    QTemporaryDir dir;
    const QString fresh = rockpile::ResultFilePath(dir.path(), QStringLiteral("fresh.txt"));
    error.clear();
    QVERIFY(!rockpile::WriteLines(fresh, utf8, LineEnds::Between, error));
    QVERIFY(error.contains(named));
    QVERIFY(!QFile::exists(fresh));

    const QString earlier = rockpile::ResultFilePath(dir.path(), QStringLiteral("earlier.txt"));
    WriteRaw(earlier, "earlier");
    QVERIFY(!rockpile::WriteLines(earlier, utf8, LineEnds::AfterEach, error));
    QCOMPARE(ReadAll(earlier), QByteArray("earlier"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"earlier.txt"});
}

void TestSaveFile::missingFolderFails()
{
    QTemporaryDir dir;
    const QString path = rockpile::ResultFilePath(dir.filePath(QStringLiteral("missing")),
                                                  rockpile::TextReportFileName());
    QString error;
    QVERIFY(!rockpile::WriteLines(path, {"a"}, LineEnds::Between, error));
    QVERIFY2(error.startsWith(QStringLiteral("文件无法保存：") + path + QLatin1Char('\n')),
             qPrintable(error));
    QCOMPARE(error.section(QLatin1Char('\n'), 1), QStringLiteral("文件夹不存在"));
    QVERIFY(!QFile::exists(path));
    QVERIFY(!QDir(dir.filePath(QStringLiteral("missing"))).exists());
}

void TestSaveFile::targetThatIsAFolderFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(rockpile::TableReportFileName());
    QVERIFY(QDir().mkdir(path));
    QString error;
    QVERIFY(!rockpile::WriteLines(path, {"a"}, LineEnds::Between, error));
    QCOMPARE(error, QStringLiteral("文件无法保存：") + QDir::toNativeSeparators(path) +
                        QStringLiteral("\n该路径是一个文件夹"));
    QVERIFY(QFileInfo(path).isDir());
}

void TestSaveFile::readOnlyFolderKeepsEarlierFile()
{
#ifdef Q_OS_UNIX
    if (geteuid() == 0) QSKIP("folder permissions do not bind the superuser");
#endif
    QTemporaryDir dir;
    const QString path = rockpile::ResultFilePath(dir.path(), rockpile::TextReportFileName());
    WriteRaw(path, "earlier");
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    QString error;
    const bool written = rockpile::WriteLines(path, {"new"}, LineEnds::Between, error);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!written);
    QVERIFY(!error.isEmpty());
    QCOMPARE(ReadAll(path), QByteArray("earlier"));
}

void TestSaveFile::fullDiskKeepsEarlierFile_data()
{
    QTest::addColumn<int>("lineCount");
    // Small files fit a write buffer: their short write would only show when the
    // buffer is flushed on commit.
    QTest::newRow("larger than a write buffer") << 200;
    QTest::newRow("smaller than a write buffer") << 60;
}

void TestSaveFile::fullDiskKeepsEarlierFile()
{
#ifndef Q_OS_UNIX
    QSKIP("needs a file size limit");
#else
    QFETCH(int, lineCount);
    QTemporaryDir dir;
    const QString path = rockpile::ResultFilePath(dir.path(), rockpile::TableReportFileName());
    WriteRaw(path, "earlier");
    const std::vector<std::string> lines(size_t(lineCount), std::string(100, 'x'));
    QString error;
    bool written = true;
    {
        const FileSizeLimit limit(4096);
        written = rockpile::WriteLines(path, lines, LineEnds::Between, error);
    }
    QVERIFY(!written);
    QVERIFY2(error.startsWith(QStringLiteral("文件无法保存：") + path + QLatin1Char('\n')),
             qPrintable(error));
    QCOMPARE(error.section(QLatin1Char('\n'), 1), QStringLiteral("磁盘已满或文件超过允许的大小"));
    QCOMPARE(ReadAll(path), QByteArray("earlier"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{rockpile::TableReportFileName()});
#endif
}

void TestSaveFile::failureCauseTexts_data()
{
    QTest::addColumn<int>("errorNumber");
    QTest::addColumn<QString>("cause");

    QTest::newRow("no such folder") << ENOENT << QStringLiteral("文件夹不存在");
    QTest::newRow("part of the path not a folder") << ENOTDIR << QStringLiteral("文件夹不存在");
    QTest::newRow("no permission") << EACCES << QStringLiteral("没有写入权限");
    QTest::newRow("operation not permitted") << EPERM << QStringLiteral("没有写入权限");
    QTest::newRow("disk full") << ENOSPC << QStringLiteral("磁盘已满或文件超过允许的大小");
    QTest::newRow("file too large") << EFBIG << QStringLiteral("磁盘已满或文件超过允许的大小");
    QTest::newRow("quota") << EDQUOT << QStringLiteral("磁盘已满或文件超过允许的大小");
    QTest::newRow("path is a folder") << EISDIR << QStringLiteral("该路径是一个文件夹");
    QTest::newRow("read-only file system") << EROFS << QStringLiteral("文件系统为只读");
    QTest::newRow("out of memory") << ENOMEM << QStringLiteral("内存不足");
}

void TestSaveFile::failureCauseTexts()
{
    QFETCH(int, errorNumber);
    QFETCH(QString, cause);
    // A target in an existing folder: only the error number tells the cause.
    QTemporaryDir dir;
    const QString path = rockpile::ResultFilePath(dir.path(), QStringLiteral("a.txt"));
    const rockpile::SaveFailure failure = rockpile::ClassifySaveFailure(path, errorNumber);
    QCOMPARE(rockpile::SaveFailureMessage(path, failure, QStringLiteral("system text")),
             QStringLiteral("文件无法保存：") + path + QStringLiteral("\n") + cause);
}

void TestSaveFile::unrecognisedCauseKeepsSystemTextAfterChinese()
{
    QTemporaryDir dir;
    const QString path = rockpile::ResultFilePath(dir.path(), QStringLiteral("a.txt"));
    const rockpile::SaveFailure failure = rockpile::ClassifySaveFailure(path, EIO);
    QCOMPARE(failure, rockpile::SaveFailure::Other);
    QCOMPARE(rockpile::SaveFailureMessage(path, failure, QStringLiteral("Input/output error")),
             QStringLiteral("文件无法保存：") + path +
                 QStringLiteral("\n原因未能识别，系统提示：Input/output error"));
}

void TestSaveFile::fileSizeLimitInChildProcessIsReported()
{
#ifndef Q_OS_UNIX
    QSKIP("needs fork and a file size limit");
#else
    // The child keeps the default action of SIGXFSZ, which would end it; the library
    // must turn the signal into a failed write. A 2.1 MB report under a 1000-block limit.
    QTemporaryDir dir;
    const QString path = rockpile::ResultFilePath(dir.path(), rockpile::TextReportFileName());
    WriteRaw(path, "earlier");
    const std::vector<std::string> lines(21000, std::string(98, 'x'));
    const QString expected = QStringLiteral("文件无法保存：") + path +
                             QStringLiteral("\n磁盘已满或文件超过允许的大小");
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 1000 * 1024;
        setrlimit(RLIMIT_FSIZE, &limit);
        QString error;
        const bool written = rockpile::WriteLines(path, lines, LineEnds::Between, error);
        _exit(written ? 2 : error == expected ? 0 : 3);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY2(WIFEXITED(status), WIFSIGNALED(status) ? qPrintable(QString::number(WTERMSIG(status))) : "");
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(ReadAll(path), QByteArray("earlier"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{rockpile::TextReportFileName()});
#endif
}

void TestSaveFile::streamedBlocksGiveTheSameBytes()
{
    // Enough lines for several blocks, with Chinese text and lines of every length, so
    // that block ends fall everywhere; both kinds of line ends.
    std::vector<std::string> lines;
    for (int i = 0; i < 20000; ++i)
        lines.push_back(std::string(std::size_t(i % 37), 'a') + (i % 3 ? "嵌岩桩" : "") + std::to_string(i));
    for (const LineEnds ends : {LineEnds::Between, LineEnds::AfterEach}) {
        QByteArray expected;
        QString error;
        QVERIFY(rockpile::EncodeLines(lines, ends, expected, error));
        QVERIFY(expected.size() > 3 * qsizetype(rockpile::ResultFileWriter::kBlockBytes));
        QTemporaryDir dir;
        const QString path = rockpile::ResultFilePath(dir.path(), QStringLiteral("a.txt"));
        rockpile::ResultFileWriter writer(path, ends);
        QVERIFY(writer.open());
        for (const std::string& line : lines) QVERIFY(writer.writeLine(line));
        QVERIFY2(writer.commit(), qPrintable(writer.error()));
        QCOMPARE(ReadAll(path), expected);
    }
}

void TestSaveFile::unencodableCharacterInLaterBlockNamedByItsLine()
{
    for (const LineEnds ends : {LineEnds::Between, LineEnds::AfterEach}) {
        std::vector<std::string> lines(30000, std::string(20, 'b'));
        lines[25000] = "ab☃";
        QTemporaryDir dir;
        const QString path = rockpile::ResultFilePath(dir.path(), QStringLiteral("a.txt"));
        WriteRaw(path, "earlier");
        QString error;
        QVERIFY(!rockpile::WriteLines(path, lines, ends, error));
        QVERIFY2(error.contains(QStringLiteral("第25001行第3个字符“☃”(U+2603)")), qPrintable(error));
        QCOMPARE(ReadAll(path), QByteArray("earlier"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"});
    }
}


void TestSaveFile::fastConversionGivesTheBytesOfAWholeConversion()
{
    // Every character of the ranges a report or a list can hold, and some it cannot:
    // each one alone is converted, or refused, exactly as a whole conversion with its
    // round-trip check does; all convertible ones in one text give the same bytes too,
    // converted a second time from the kept table.
    std::vector<char32_t> characters;
    for (const auto& [first, last] : std::vector<std::pair<char32_t, char32_t>>{
             {0x01, 0x7F}, {0x80, 0x33FF}, {0x4E00, 0x9FFF}, {0xE000, 0xE0FF}, {0xF900, 0xFFFD},
             {0x1F600, 0x1F610}, {0x20000, 0x20010}})
        for (char32_t c = first; c <= last; ++c)
            if (c < 0xD800 || c > 0xDFFF) characters.push_back(c);
    rockpile::GbkEncoder encoder;
    QVERIFY(encoder.isValid());
    std::string all;
    int refused = 0;
    for (const char32_t c : characters) {
        const std::string utf8 = QString::fromUcs4(&c, 1).toStdString();
        QByteArray whole;
        QString error;
        const bool convertible = rockpile::EncodeLines({utf8}, LineEnds::Between, whole, error);
        std::string fast;
        QCOMPARE(encoder.append(utf8, fast), convertible);
        if (!convertible) {
            ++refused;
            continue;
        }
        QCOMPARE(QByteArray::fromStdString(fast), whole);
        all += utf8;
    }
    QVERIFY(refused > 100);
    QByteArray whole;
    QString error;
    QVERIFY(rockpile::EncodeLines({all}, LineEnds::Between, whole, error));
    std::string fast;
    QVERIFY(encoder.append(all, fast));
    QCOMPARE(QByteArray::fromStdString(fast), whole);
    // Bytes that are no UTF-8 are refused as the whole conversion refuses them.
    for (const std::string& bad : {std::string("a\xFF"), std::string("桩\xE6\xA1"), std::string("\xC0\xAF"),
                                  std::string("\xED\xA0\x80")}) {
        QVERIFY(!rockpile::EncodeLines({bad}, LineEnds::Between, whole, error));
        std::string out;
        QVERIFY(!encoder.append(bad, out));
    }
}

void TestSaveFile::bytesSavedWhole()
{
    QTemporaryDir dir;
    const QString path = rockpile::ResultFilePath(dir.path(), QStringLiteral("a.json"));
    WriteRaw(path, "earlier, and longer than the new bytes");
    QString error;
    const QByteArray bytes("\xEF\xBB\xBF{\"a\": 1}\r\n\0z", 16);
    QVERIFY2(rockpile::WriteBytes(path, bytes, error), qPrintable(error));
    QCOMPARE(ReadAll(path), bytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.json"});
}

void TestSaveFile::bytesSaveFailuresToldInChinese_data()
{
    QTest::addColumn<QString>("where");  // "missing folder", "folder", "size limit"
    QTest::addColumn<QString>("cause");
    QTest::newRow("no such folder") << "missing folder" << QStringLiteral("文件夹不存在");
    QTest::newRow("path is a folder") << "folder" << QStringLiteral("该路径是一个文件夹");
    QTest::newRow("file-size limit") << "size limit" << QStringLiteral("磁盘已满或文件超过允许的大小");
}

void TestSaveFile::bytesSaveFailuresToldInChinese()
{
#ifndef Q_OS_UNIX
    QSKIP("needs a file size limit");
#else
    QFETCH(QString, where);
    QFETCH(QString, cause);
    QTemporaryDir dir;
    QString path = rockpile::ResultFilePath(dir.path(), QStringLiteral("a.csv"));
    if (where == "missing folder") path = rockpile::ResultFilePath(dir.filePath("missing"), QStringLiteral("a.csv"));
    if (where == "folder") QVERIFY(QDir().mkdir(path));
    if (where == "size limit") WriteRaw(path, "earlier");
    const QByteArray bytes(64 * 1024, 'x');
    QString error;
    bool written = true;
    {
        const FileSizeLimit limit(where == "size limit" ? 4096 : RLIM_INFINITY);
        written = rockpile::WriteBytes(path, bytes, error);
    }
    QVERIFY(!written);
    QCOMPARE(error, QStringLiteral("文件无法保存：") + path + QLatin1Char('\n') + cause);
    if (where == "size limit") QCOMPARE(ReadAll(path), QByteArray("earlier"));
    if (where == "folder") QVERIFY(QFileInfo(path).isDir());
    if (where == "missing folder") QVERIFY(!QDir(dir.filePath("missing")).exists());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             where == "size limit" ? QStringList{"a.csv"} : QStringList{});
#endif
}

QTEST_MAIN(TestSaveFile)
#include "test_resultfile.moc"
