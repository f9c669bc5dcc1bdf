// The input file of the input page: round trips of every input, the refusal of each
// kind of bad file with its message, and saves that fail without touching the disk.
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include "io/InputFile.h"
#include "tests/support/FileSizeLimit.h"

using rockpile::PageInputs;

Q_DECLARE_METATYPE(rockpile::PageInputs)

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

rockpile::RockLayer Layer(const char* lr, const char* weathering, const char* integrity,
                          const char* kv, const char* frk, const char* c1, const char* c2,
                          const char* qpa, const char* qra)
{
    return {lr, weathering, integrity, kv, frk, c1, c2, qpa, qra};
}

// A file that differs from the start inputs in every member.
PageInputs Ellipse()
{
    PageInputs p;
    p.pileNumber = "ZH-07 \"东侧\"";
    p.pile.sectionType = rockpile::SectionType::Ellipse;
    p.pile.d = "1200.50";
    p.pile.c = "500";
    p.pile.strengthMode = rockpile::StrengthMode::CompressiveStrength;
    p.pile.coefficientMode = rockpile::CoefficientMode::Smaller;
    p.pile.interpolationBasis = rockpile::InterpolationBasis::IntegrityIndex;
    p.pile.boredPile = false;
    p.pile.reductionFactor = "0.85";
    p.pile.softRockExposed = false;
    p.precisionMode = 0;
    p.pile.layers = {Layer("1.000", "微风化", "较破碎", "0.45", "30", "0.4", "0.030", "1e3", ""),
                     Layer("", "", "", "", "", "", "", "", "")};
    return p;
}

PageInputs NineLayerRectangle()
{
    PageInputs p;
    p.pile.sectionType = rockpile::SectionType::Rectangle;
    p.pile.d.clear();
    p.pile.c.clear();
    p.pile.a = "1200";
    p.pile.b = "1500";
    p.pile.strengthMode = rockpile::StrengthMode::GivenResistances;
    p.pile.coefficientMode = rockpile::CoefficientMode::Manual;
    p.precisionMode = 4;
    p.pile.layers.clear();
    for (int i = 1; i <= 9; ++i) {
        const std::string n = std::to_string(i);
        p.pile.layers.push_back({n + ".00", "中风化", "完整", "0." + n, n + "0", "0.5", "0.04",
                                 n + "000.00", n + "00.00"});
    }
    return p;
}

// The file of the start inputs, as a user might write it by hand.
const QByteArray kStartFile = R"({
  "format": "rockpile-input", "version": 1, "pileNumber": "",
  "section": "圆桩", "d": "1000", "c": "0",
  "strengthMode": 1, "coefficientMode": 1, "interpolationBasis": 0,
  "boredPile": true, "reductionFactor": "0.70", "softRockExposed": true, "precisionMode": 2,
  "layers": [ { "lr": "1.00", "weathering": "中风化", "integrity": "较完整", "kv": "0.75",
                "frk": "25.00", "c1": "0.50", "c2": "0.04", "qpa": "8400.00", "qra": "840.00" } ]
})";

QByteArray Replace(const char* from, const char* to)
{
    QByteArray bytes = kStartFile;
    const qsizetype at = bytes.indexOf(from);
    if (at < 0) qFatal("no %s in the start file", from);
    return bytes.replace(at, qsizetype(qstrlen(from)), to);
}

}  // namespace

class TestInputFile : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void handWrittenFileReadsAsStartInputs();
    void exampleFileReads();
    void badFileIsRefused_data();
    void badFileIsRefused();
    void missingFileIsRefused();
    void laterLayerMembersMayBeLeftOut();
    void saveReplacesEarlierFile();
    void failedSaveKeepsEarlierFile();
};

void TestInputFile::roundTrip_data()
{
    QTest::addColumn<PageInputs>("inputs");
    QTest::newRow("start inputs") << PageInputs();
    QTest::newRow("ellipse, every member changed") << Ellipse();
    QTest::newRow("rectangle of nine layers") << NineLayerRectangle();
    PageInputs odd;
    odd.pile.d = "  1.0e3 ";
    odd.pile.reductionFactor = "abc";
    odd.pile.layers[0].lr = "0.50000000000000001";
    QTest::newRow("texts kept as typed") << odd;
}

void TestInputFile::roundTrip()
{
    QFETCH(PageInputs, inputs);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("桩.json"));
    QString error;
    QVERIFY2(rockpile::WriteInputFile(path, inputs, error), qPrintable(error));
    PageInputs back;
    back.pileNumber = "sentinel";
    QVERIFY2(rockpile::ReadInputFile(path, back, error), qPrintable(error));
    QVERIFY(back == inputs);
    // Saving what was opened gives the same bytes.
    QCOMPARE(rockpile::InputFileBytes(back), ReadAll(path));
}

void TestInputFile::handWrittenFileReadsAsStartInputs()
{
    PageInputs read;
    read.precisionMode = 0;
    QString error;
    QVERIFY2(rockpile::ParseInputFile(kStartFile, QStringLiteral("a.json"), read, error),
             qPrintable(error));
    QVERIFY(read == PageInputs());
}

void TestInputFile::exampleFileReads()
{
    PageInputs read;
    QString error;
    QVERIFY2(rockpile::ReadInputFile(QStringLiteral(ROCKPILE_SOURCE_DIR "/examples/pile.json"), read, error),
             qPrintable(error));
    QCOMPARE(read.pileNumber, std::string("ZH-02"));
    QCOMPARE(read.pile.d, std::string("1200"));
    QCOMPARE(int(read.pile.layers.size()), 2);
    QCOMPARE(read.pile.layers[1].frk, std::string("30.00"));
}

void TestInputFile::badFileIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QString f = QStringLiteral("输入文件“bad.json”");
    QTest::newRow("empty") << QByteArray() << f + "是空文件";
    QTest::newRow("not JSON") << QByteArray("桩径=1000\n") << f + "不是有效的JSON文件（第2个字节附近有错）";
    QTest::newRow("cut short") << kStartFile.left(40) << f + "不是有效的JSON文件（第42个字节附近有错）";
    QTest::newRow("saved as GBK") << QByteArray(QStringEncoder("GBK").encode(QString::fromUtf8(kStartFile)))
                              << f + "不是UTF-8编码的文本";
    QTest::newRow("array") << QByteArray("[1, 2]")
                           << f + "不是嵌岩桩输入文件（缺少“format”: “rockpile-input”）";
    QTest::newRow("other JSON") << QByteArray(R"({"name": "x"})")
                                << f + "不是嵌岩桩输入文件（缺少“format”: “rockpile-input”）";
    QTest::newRow("newer version") << Replace("\"version\": 1", "\"version\": 2")
                                   << f + "的格式版本为2，本程序只能读取版本1及以前的文件，请用更新的程序打开";
    QTest::newRow("version 0") << Replace("\"version\": 1", "\"version\": 0")
                               << f + "的格式版本0无法识别，应为1至1的整数";
    QTest::newRow("version as text") << Replace("\"version\": 1", "\"version\": \"1\"")
                                     << f + "的格式版本文本“1”无法识别，应为1至1的整数";
    QTest::newRow("version missing") << Replace("\"version\": 1,", "")
                                     << f + "的格式版本未定义的值无法识别，应为1至1的整数";
    QTest::newRow("size as number") << Replace("\"d\": \"1000\"", "\"d\": 1000")
                                    << f + "中“d”的值应为文本（数字也写在引号中，按输入的原样保存），而不是数值";
    QTest::newRow("flag as text") << Replace("\"boredPile\": true", "\"boredPile\": \"是\"")
                                  << f + "中“boredPile”的值应为true或false，而不是文本";
    QTest::newRow("mode out of range") << Replace("\"strengthMode\": 1", "\"strengthMode\": 2")
                                       << f + "中“strengthMode”的值应为0至1的整数，而不是2";
    QTest::newRow("precision not whole") << Replace("\"precisionMode\": 2", "\"precisionMode\": 1.5")
                                         << f + "中“precisionMode”的值应为0至4的整数，而不是1.5";
    QTest::newRow("unknown section") << Replace("\"圆桩\"", "\"方桩\"")
                                     << f + "中截面“方桩”未知，应为圆桩、椭圆桩或矩形桩";
    QTest::newRow("rectangle side on a circle") << Replace("\"c\": \"0\"", "\"c\": \"0\", \"a\": \"1\"")
                                                << f + "中“a”不属于圆桩，圆桩的尺寸是“d”和“c”";
    QTest::newRow("size missing") << Replace("\"d\": \"1000\",", "")
                                  << f + "中缺少“d”";
    QTest::newRow("misspelt member") << Replace("\"pileNumber\"", "\"pileNo\"")
                                     << f + "中有未知的项“pileNo”";
    const auto withLayers = [](const char* layers) {
        return kStartFile.left(kStartFile.indexOf("\"layers\"")) + "\"layers\": " + layers + "}";
    };
    QTest::newRow("layers missing")
        << kStartFile.left(kStartFile.indexOf("\"precisionMode\": 2") + 18) + "}" << f + "中缺少“layers”";
    QTest::newRow("layers not an array") << withLayers("3") << f + "中“layers”应为岩层的数组，而不是数值";
    QTest::newRow("layer count 0") << withLayers("[]") << f + "的岩层数为0，应为1至9层";
    QTest::newRow("layer count 10") << withLayers("[{},{},{},{},{},{},{},{},{},{}]")
                                    << f + "的岩层数为10，应为1至9层";
    QTest::newRow("layer not an object") << withLayers("[{}, \"1.00\"]") << f + "中第2层应为对象，而不是文本";
    QTest::newRow("layer frk as number") << Replace("\"frk\": \"25.00\"", "\"frk\": 25")
                                         << f + "中第1层“frk”的值应为文本（数字也写在引号中，按输入的原样保存），而不是数值";
    QTest::newRow("layer member unknown") << Replace("\"kv\"", "\"Kv\"") << f + "中第1层有未知的项“Kv”";
}

void TestInputFile::badFileIsRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    PageInputs inputs = Ellipse();
    QString error;
    QVERIFY(!rockpile::ParseInputFile(bytes, QStringLiteral("bad.json"), inputs, error));
    QCOMPARE(error, message);
    // The page is left as it was.
    QVERIFY(inputs == Ellipse());
}

void TestInputFile::missingFileIsRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("无.json"));
    PageInputs inputs;
    QString error;
    QVERIFY(!rockpile::ReadInputFile(path, inputs, error));
    QCOMPARE(error, QStringLiteral("输入文件“%1”无法打开：No such file or directory")
                        .arg(QDir::toNativeSeparators(path)));
}

void TestInputFile::laterLayerMembersMayBeLeftOut()
{
    // A layer member left out is an empty cell, as in a row the layer count has added.
    QByteArray bytes = kStartFile;
    bytes.replace(bytes.lastIndexOf("]"), 1, ", {\"lr\": \"2\"}]");
    PageInputs read;
    QString error;
    QVERIFY2(rockpile::ParseInputFile(bytes, QStringLiteral("b.json"), read, error), qPrintable(error));
    QCOMPARE(int(read.pile.layers.size()), 2);
    rockpile::RockLayer second;
    second.lr = "2";
    QVERIFY(read.pile.layers[1] == second);
}

void TestInputFile::saveReplacesEarlierFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.json"));
    WriteRaw(path, "earlier");
    QString error;
    QVERIFY2(rockpile::WriteInputFile(path, Ellipse(), error), qPrintable(error));
    QCOMPARE(ReadAll(path), rockpile::InputFileBytes(Ellipse()));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("p.json")});
}

void TestInputFile::failedSaveKeepsEarlierFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.json"));
    WriteRaw(path, "earlier");
    QString error;
    bool written = true;
    {
        const FileSizeLimit limit(200);  // the file of nine layers is larger
        written = rockpile::WriteInputFile(path, NineLayerRectangle(), error);
    }
    QVERIFY(!written);
    QCOMPARE(error, QStringLiteral("文件无法保存：") + path + QStringLiteral("\n磁盘已满或文件超过允许的大小"));
    QCOMPARE(ReadAll(path), QByteArray("earlier"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("p.json")});

    // A folder that does not exist.
    QVERIFY(!rockpile::WriteInputFile(dir.filePath(QStringLiteral("no/p.json")), Ellipse(), error));
    QCOMPARE(error, QStringLiteral("文件无法保存：") + dir.filePath(QStringLiteral("no/p.json")) +
                        QStringLiteral("\n文件夹不存在"));
}

QTEST_GUILESS_MAIN(TestInputFile)
#include "test_inputfile.moc"
