// The batch calculator driven through its command line: reports byte for byte, the
// summary, failed piles, the options, and outputs that stay intact when a write fails.
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "batch/BatchCalculator.h"
#include "files/ResultFile.h"
#include "io/InputFile.h"
#include "io/Schedule.h"
#include "tests/support/FileSizeLimit.h"

namespace {

const QDateTime kTime(QDate(2026, 3, 5), QTime(14, 7, 9));
const QString kTimeLine = QStringLiteral("计算时间：2026/3/5 14:07:09");

const QString kHeader = QStringLiteral(
    "桩号,截面,尺寸1,尺寸2,强度取值,系数取值,插值依据,钻冲孔桩,折减系数,软质岩暴露,岩层数,"
    "lr_1,风化程度_1,完整程度_1,完整性指数_1,frk_1,C1_1,C2_1,qpa_1,qra_1");
const QString kStartRow = QStringLiteral("S1,圆桩,1000,,,,,,,,1,1.00,中风化,较完整,0.75,25.00,0.50,0.04,8400.00,840.00");

// The whole text report of one calculation of the start inputs, as the window saves it.
const QStringList kStartTextReport = {
    "================== 嵌岩桩计算书 ==================",
    "1.基桩编号: ZH1",
    "2.输入数据",
    "  2.1 基桩参数",
    "      桩身截面类型:                      圆桩",
    "      桩身直径d:                         1000 mm",
    "  2.2 基岩参数",
    "      嵌岩段岩层数:                         1",
    "      岩石强度取值:  岩样天然湿度单轴抗压强度",
    "      端阻侧阻系数:              程序自动插值",
    "      自动插值依据:              岩体完整程度",
    "      岩层参数:",
    "      --------------------------------",
    "      岩  嵌岩层厚  岩体完整  岩石强度",
    "      层   hri(m)   程    度  frk(MPa)",
    "      --------------------------------",
    "       1    1.00     较完整    25.00  ",
    "      --------------------------------",
    "      基桩为钻冲孔桩：                     是",
    "      钻冲孔桩折减系数:                  0.70",
    "      软化系数≤0.6的软质岩，施工时无可靠    ",
    "                措施缩短桩端基岩暴露时间     ",
    "3.采用规范及公式",
    "  3.1 采用规范:",
    "                《建筑地基基础设计规范》",
    "                    (DBJ 15-31-2016)",
    "  3.2 规范公式:",
    "          Ra=Rsa+Rra+Rpa        (10.2.4-1)",
    "          Rsa=μ.∑qsia.li      (10.2.4-2)",
    "          Rra=μp.C2.frs.hr     (10.2.4-3)",
    "          Rpa=C1.frp.Ap         (10.2.4-4)",
    "4.承载力计算",
    "  4.1 桩身截面类型:                      圆桩",
    "      桩身直径d:                         1000 mm",
    "      桩身截面面积Ap:                    0.79 m^2",
    "      桩身截面周长μ:                    3.14 m",
    "  4.2 岩层阻力计算",
    "      ---------------------------------------",
    "      岩  嵌岩层厚 岩石强度 插值端阻 插值侧阻",
    "      层   hri(m)  frk(MPa) 系数 C1  系数 C2 ",
    "      ---------------------------------------",
    "       1    1.00    25.00     0.34     0.03  ",
    "      ---------------------------------------",
    "      岩  计算采用 计算采用 总 阻 力 端 阻 力",
    "      层  系数 C1  系数 C2   Ra(kN)   Rpa(kN)",
    "      ---------------------------------------",
    "       1    0.34     0.03    9236.28  6597.34",
    "      ---------------------------------------",
    "      岩   ∑Rsia  层侧阻力 侧阻比例 岩石坚硬",
    "      层    (kN)   Rsia(kN)  Rsia/Ra 程    度",
    "      ---------------------------------------",
    "       1   2638.94  2638.94  28.57%   较软岩 ",
    "      ---------------------------------------",
    "  4.3 桩侧土总摩阻力特征值Rsa(不考虑):   0.00 kN",
    "  4.4 持力岩层总端阻力特征值Rpa：     6597.34 kN",
    "      桩侧岩层总摩阻力特征值Rra:      2638.94 kN",
    "  4.5 单桩竖向承载力特征值Ra:         9236.28 kN",
    "      持力岩层总端阻力占百分比:        71.43%",
    "      桩侧岩层总摩阻力占百分比:        28.57%",
    "  4.6 计算结果合规性判定:                合规",
    "5.基桩主要数据汇总",
    "      ---------------------------------------",
    "      基    桩  桩身截面  桩身直径  椭圆直段 ",
    "      编    号  类    型    d(mm)     c(mm)  ",
    "      ---------------------------------------",
    "        ZH1      圆  桩     1000        -    ",
    "      ---------------------------------------",
    "      嵌岩深度  端 阻 力  侧 阻 力  嵌岩总阻 ",
    "        hr(m)    Rpa(kN)   Rsa(kN)   力(kN)  ",
    "      ---------------------------------------",
    "        1.00      6597      2639      9236   ",
    "      ---------------------------------------",
    "      桩承载力  端 阻 力  侧 阻 力  计算结果 ",
    "       Ra(kN)   占百分比  占百分比  合规判定 ",
    "      ---------------------------------------",
    "        9236       71%       29%      合规   ",
    "      ---------------------------------------",
    "      ---------------------------------------",
    "==================================================",
    "计算时间：2026/3/5 14:07:09",
};

const QStringList kTableHead = {
    "========================================================== 嵌岩桩计算书 ==============================================================================",
    "------------------------------------------------------------------------------------------------------------------------------------------------------",
    " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  桩身面积  桩身周长  嵌岩深度  桩侧阻力  桩侧阻力  桩端阻力  桩端阻力  桩承载力  计算结果 ",
    " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)    Ap(m^2)    μ(m)     hr(m)    Rra(kN)  占百分比   Rpa(kN)  占百分比   Ra(kN)   合规判定 ",
    "------------------------------------------------------------------------------------------------------------------------------------------------------",
};
const QStringList kTableFoot = {
    "------------------------------------------------------------------------------------------------------------------------------------------------------",
    " 注: 采用《建筑地基基础设计规范》(DBJ 15-31-2016)公式计算",
    "======================================================================================================================================================",
    "计算时间：2026/3/5 14:07:09",
};

QByteArray Gbk(const QStringList& lines)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(lines.join(QStringLiteral("\r\n")));
}

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

// A schedule of `count` piles of every section, sizes, depths, strengths and integrity;
// every 37th pile fails its strength check and every 53rd row has a wrong column count.
QStringList LongScheduleRows(int count)
{
    static const char* const sections[] = {"圆桩", "椭圆桩", "矩形桩"};
    static const char* const integrity[] = {"完整", "较完整", "较破碎", "破碎", "极破碎"};
    QStringList rows;
    for (int i = 0; i < count; ++i) {
        const int section = i % 3;
        QString row = QStringLiteral("S%1,%2,%3,%4,,,,,,,1,%5,中风化,%6,0.75,%7,0.50,0.04,8400.00,840.00")
                          .arg(i + 1)
                          .arg(QString::fromUtf8(sections[section]))
                          .arg(800 + 100 * (i % 13))
                          .arg(section == 0 ? QString() : QString::number(section == 1 ? 400 : 700 + 100 * (i % 7)))
                          .arg(QStringLiteral("%1.%2").arg(1 + i % 4).arg(i % 10))
                          .arg(QString::fromUtf8(integrity[i % 5]))
                          .arg(i % 37 == 36 ? 0 : 5 + i % 60);
        if (i % 53 == 52) row += QLatin1Char(',');
        rows << row;
    }
    return rows;
}

QStringList SummaryLines(const QString& folder)
{
    const QByteArray bytes = ReadAll(QDir(folder).filePath(rockpile::SummaryFileName()));
    if (!bytes.startsWith("\xEF\xBB\xBF") || !bytes.endsWith("\r\n")) return {"<not UTF-8 with BOM and CR LF>"};
    return QString::fromUtf8(bytes.mid(3).chopped(2)).split(QStringLiteral("\r\n"));
}

const QString kSummaryHead = QStringLiteral("文件,行号,桩号,计算书编号,截面,尺寸1(mm),尺寸2(mm),Rpa(kN),Ra(kN),端阻占比,判定,信息");

}  // namespace

class TestBatch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void helpAndVersion();
    void wrongCommandLine_data();
    void wrongCommandLine();
    void startPileGivesTheWindowsReports();
    void failedPileIsReportedAndOthersComputed();
    void precisionOption_data();
    void precisionOption();
    void inputFilesKeepTheirPrecision();
    void badFileStopsNothingElse();
    void summaryOnlyWritesNoReports();
    void failedWriteKeepsEarlierOutputs();
    void progressOnLongSchedules();
    void longScheduleGivesTheWindowsReports();
    void failureMidwayKeepsEarlierOutputs();

private:
    int Run(QStringList arguments);
    QString WriteSchedule(const QStringList& rows);
    QByteArray WindowsReport(const QString& schedule, rockpile::ReportType kind);

    std::unique_ptr<QTemporaryDir> tempDir;
    QString out;
    QString err;
    int progressInterval = 1000;
};

void TestBatch::initTestCase() { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); }

void TestBatch::init()
{
    // Every case writes into a folder of its own.
    tempDir = std::make_unique<QTemporaryDir>();
    out.clear();
    err.clear();
    progressInterval = 1000;
}

int TestBatch::Run(QStringList arguments)
{
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    rockpile::BatchCalculator calculator(outStream, errStream);
    calculator.setClock([] { return kTime; });
    calculator.setProgressInterval(progressInterval);
    arguments.prepend(QStringLiteral("rockpile-batch"));
    return calculator.execute(arguments);
}

QString TestBatch::WriteSchedule(const QStringList& rows)
{
    const QString path = tempDir->filePath(QStringLiteral("桩表.csv"));
    QFile::remove(path);
    WriteRaw(path, (QStringList{kHeader} + rows).join(QStringLiteral("\r\n")).toUtf8());
    return path;
}

void TestBatch::helpAndVersion()
{
    QCOMPARE(Run({"--help"}), 0);
    QVERIFY(out.startsWith(QStringLiteral("用法: rockpile-batch [选项] -o 输出文件夹 文件...\n")));
    QVERIFY(out.contains(QStringLiteral("  -p, --precision <0-4>")));
    QCOMPARE(err, QString());
    out.clear();
    QCOMPARE(Run({"--version"}), 0);
    QCOMPARE(out, QStringLiteral("rockpile-batch 1.0\n"));
}

void TestBatch::wrongCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("no output folder") << QStringList{"a.csv"} << "缺少输出文件夹（-o 文件夹）";
    QTest::newRow("no file") << QStringList{"-o", "x"} << "没有给出桩表或输入文件";
    QTest::newRow("precision 5") << QStringList{"-p", "5", "-o", "x", "a.csv"} << "精度“5”应为0至4";
    QTest::newRow("precision text") << QStringList{"--precision=两位", "-o", "x", "a.csv"} << "精度“两位”应为0至4";
    QTest::newRow("unknown option") << QStringList{"--fast", "-o", "x", "a.csv"} << "Unknown option 'fast'.";
}

void TestBatch::wrongCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QCOMPARE(Run(arguments), 2);
    QCOMPARE(err, "rockpile-batch: 错误: " + message + "\n用 rockpile-batch --help 查看用法。\n");
    QCOMPARE(out, QString());
}

void TestBatch::startPileGivesTheWindowsReports()
{
    const QString schedule = WriteSchedule({kStartRow});
    const QString folder = tempDir->filePath(QStringLiteral("out"));
    QCOMPARE(Run({"-o", folder, schedule}), 0);
    QCOMPARE(err, QString());
    QCOMPARE(ReadAll(rockpile::ResultFilePath(folder, rockpile::TextReportFileName())), Gbk(kStartTextReport));
    const QStringList table = kTableHead +
        QStringList{"   ZH1      圆  桩     1000        -         -         -       0.79      3.14      1.00       2639      29%       6597      71%       9236     合规   "} +
        kTableFoot;
    QCOMPARE(ReadAll(rockpile::ResultFilePath(folder, rockpile::TableReportFileName())), Gbk(table));
    QCOMPARE(SummaryLines(folder),
             QStringList({kSummaryHead, schedule + ",2,S1,ZH1,圆桩,1000,0,6597,9236,71%,合规,"}));
    QVERIFY(out.endsWith(QStringLiteral("共1根桩，计算完成1根，中止0根\n")));
}

void TestBatch::failedPileIsReportedAndOthersComputed()
{
    const QString schedule = WriteSchedule({
        kStartRow,
        "S2,圆桩,1000,,,,,,,,1,1.00,中风化,较完整,0.75,0,,,,",
        "S3,方桩,1000,,,,,,,,1,1.00,中风化,较完整,0.75,25,,,,",
        "S4,矩形桩,1200,1500,0,,,,,,1,1.00,,,,,,,6000,500",
    });
    const QString folder = tempDir->filePath(QStringLiteral("out"));
    QCOMPARE(Run({"-o", folder, schedule}), 1);
    QCOMPARE(err, "rockpile-batch: 错误: " + schedule + " 第3行：岩石单轴抗压强度值错\n"
                  "rockpile-batch: 错误: " + schedule + " 第4行：截面“方桩”未知，应为圆桩、椭圆桩或矩形桩\n");
    QCOMPARE(SummaryLines(folder), QStringList({
        kSummaryHead,
        schedule + ",2,S1,ZH1,圆桩,1000,0,6597,9236,71%,合规,",
        schedule + ",3,S2,,圆桩,1000,0,,,,,第3行：岩石单轴抗压强度值错",
        schedule + ",4,S3,,,,,,,,,第4行：截面“方桩”未知，应为圆桩、椭圆桩或矩形桩",
        schedule + ",5,S4,ZH2,矩形桩,1500,1200,10800,13500,80%,合规,",
    }));
    // The reports hold the computed piles only, numbered by position as in the window.
    const QByteArray table = ReadAll(rockpile::ResultFilePath(folder, rockpile::TableReportFileName()));
    QVERIFY(table.contains(Gbk({"   ZH2      矩形桩       -         -       1500      1200  "})));
    QVERIFY(!table.contains("ZH3"));
    QVERIFY(out.endsWith(QStringLiteral("共4根桩，计算完成2根，中止2根\n")));
}

void TestBatch::precisionOption_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("fields");
    QTest::newRow("two decimals") << "0" << "6597.34,9236.28,71.43%";
    QTest::newRow("one decimal") << "1" << "6597.3,9236.3,71.4%";
    QTest::newRow("tens") << "3" << "6590,9230,71%";
    QTest::newRow("hundreds") << "4" << "6500,9200,71%";
}

void TestBatch::precisionOption()
{
    QFETCH(QString, mode);
    QFETCH(QString, fields);
    const QString schedule = WriteSchedule({kStartRow});
    const QString folder = tempDir->filePath(QStringLiteral("out"));
    QCOMPARE(Run({"-p", mode, "-o", folder, schedule}), 0);
    QCOMPARE(SummaryLines(folder).value(1), schedule + ",2,S1,ZH1,圆桩,1000,0," + fields + ",合规,");
}

void TestBatch::inputFilesKeepTheirPrecision()
{
    rockpile::PageInputs inputs;
    inputs.pileNumber = "J1";
    inputs.precisionMode = 0;
    const QString file = tempDir->filePath(QStringLiteral("j1.json"));
    QString error;
    QVERIFY(rockpile::WriteInputFile(file, inputs, error));
    const QString folder = tempDir->filePath(QStringLiteral("out"));
    QCOMPARE(Run({"-o", folder, file}), 0);
    QCOMPARE(SummaryLines(folder).value(1), file + ",,J1,ZH1,圆桩,1000,0,6597.34,9236.28,71.43%,合规,");
    QCOMPARE(Run({"-p", "2", "-o", folder, file}), 0);
    QCOMPARE(SummaryLines(folder).value(1), file + ",,J1,ZH1,圆桩,1000,0,6597,9236,71%,合规,");
}

void TestBatch::badFileStopsNothingElse()
{
    const QString schedule = WriteSchedule({kStartRow});
    const QString bad = tempDir->filePath(QStringLiteral("bad.json"));
    WriteRaw(bad, "{");
    const QString folder = tempDir->filePath(QStringLiteral("out"));
    QCOMPARE(Run({"-o", folder, bad, schedule}), 1);
    QCOMPARE(err, "rockpile-batch: 错误: 输入文件“" + bad + "”不是有效的JSON文件（第2个字节附近有错）\n");
    QCOMPARE(SummaryLines(folder).size(), 2);
    QCOMPARE(ReadAll(rockpile::ResultFilePath(folder, rockpile::TextReportFileName())), Gbk(kStartTextReport));
}

void TestBatch::summaryOnlyWritesNoReports()
{
    const QString schedule = WriteSchedule({kStartRow});
    const QString folder = tempDir->filePath(QStringLiteral("out"));
    QCOMPARE(Run({"--summary-only", "-o", folder, schedule}), 0);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{rockpile::SummaryFileName()});
    // Without reports no entry number is given.
    QCOMPARE(SummaryLines(folder).value(1), schedule + ",2,S1,,圆桩,1000,0,6597,9236,71%,合规,");
}

void TestBatch::failedWriteKeepsEarlierOutputs()
{
    const QString folder = tempDir->filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(folder));
    const QStringList names = {rockpile::TextReportFileName(), rockpile::TableReportFileName(),
                               rockpile::SummaryFileName()};
    for (const QString& name : names) WriteRaw(QDir(folder).filePath(name), "earlier");
    const QString schedule = WriteSchedule({kStartRow, kStartRow, kStartRow});
    int status = 0;
    {
        const FileSizeLimit limit(200);  // every output of three piles is larger
        status = Run({"-o", folder, schedule});
    }
    QCOMPARE(status, 1);
    for (const QString& name : names) QCOMPARE(ReadAll(QDir(folder).filePath(name)), QByteArray("earlier"));
    QStringList sorted = names;
    sorted.sort();
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name), sorted);
    QCOMPARE(err.count(QStringLiteral("rockpile-batch: 错误: 文件无法保存：")), 3);
    // The summary too fails by its cause in Chinese.
    QVERIFY2(err.contains(QStringLiteral("文件无法保存：") + QDir::toNativeSeparators(QDir(folder).filePath(rockpile::SummaryFileName())) +
                          QStringLiteral("\n磁盘已满或文件超过允许的大小")),
             qPrintable(err));
    QVERIFY(!out.contains(QStringLiteral("已写出")));
}

void TestBatch::progressOnLongSchedules()
{
    progressInterval = 2;
    const QString schedule = WriteSchedule({kStartRow, kStartRow, kStartRow, kStartRow, kStartRow});
    const QString folder = tempDir->filePath(QStringLiteral("out"));
    QCOMPARE(Run({"-o", folder, schedule}), 0);
    QCOMPARE(err, QStringLiteral("rockpile-batch: 已计算 2/5 根桩\nrockpile-batch: 已计算 4/5 根桩\n"
                                 "rockpile-batch: 已计算 5/5 根桩\n"));
    err.clear();
    QCOMPARE(Run({"-q", "-o", folder, schedule}), 0);
    QCOMPARE(err, QString());
}

// What the window's reports hold after computing the piles of `schedule` in order, at
// the test's time, saved as the window saves them.
QByteArray TestBatch::WindowsReport(const QString& schedule, rockpile::ReportType kind)
{
    rockpile::Schedule rows;
    QString error;
    if (!rockpile::ReadSchedule(schedule, 2, rows, error)) return QByteArray("<unreadable>");
    rockpile::ReportModel model;
    for (const rockpile::ScheduleRow& row : rows.rows)
        if (row.error.isEmpty()) rockpile::RunPile(row.inputs, &model, "2026/3/5 14:07:09");
    const std::vector<std::string>& lines =
        kind == rockpile::ReportType::Text ? model.textLines() : model.tableLines();
    QStringList texts;
    for (const std::string& line : lines) texts << QString::fromStdString(line);
    return Gbk(texts);
}

void TestBatch::longScheduleGivesTheWindowsReports()
{
    // Far more than one block of the writers: each report is written while the piles
    // are computed, and the files are what the window's reports hold.
    const QString schedule = WriteSchedule(LongScheduleRows(400));
    const QString folder = tempDir->filePath(QStringLiteral("out"));
    QCOMPARE(Run({"-q", "-o", folder, schedule}), 1);
    const QByteArray text = ReadAll(rockpile::ResultFilePath(folder, rockpile::TextReportFileName()));
    const QByteArray table = ReadAll(rockpile::ResultFilePath(folder, rockpile::TableReportFileName()));
    QVERIFY(std::size_t(text.size()) > 10 * rockpile::ResultFileWriter::kBlockBytes);
    QCOMPARE(text, WindowsReport(schedule, rockpile::ReportType::Text));
    QCOMPARE(table, WindowsReport(schedule, rockpile::ReportType::Table));
    // 400 rows, 10 failed calculations and 7 refused rows: the last entry is ZH383.
    QVERIFY(text.endsWith(Gbk({"==================================================", kTimeLine})));
    QVERIFY(table.endsWith(Gbk(kTableFoot)));
    QVERIFY(table.contains(Gbk({"   ZH383    圆  桩  "})));
    QVERIFY(!table.contains("ZH384"));
    const QStringList summary = SummaryLines(folder);
    QCOMPARE(summary.size(), 401);
    QVERIFY2(summary.last().startsWith(schedule + ",401,S400,ZH383,圆桩,1700,0,"), qPrintable(summary.last()));
    QVERIFY(out.endsWith(QStringLiteral("共400根桩，计算完成383根，中止17根\n")));
}

void TestBatch::failureMidwayKeepsEarlierOutputs()
{
    const QString folder = tempDir->filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(folder));
    const QStringList names = {rockpile::TextReportFileName(), rockpile::TableReportFileName(),
                               rockpile::SummaryFileName()};
    for (const QString& name : names) WriteRaw(QDir(folder).filePath(name), "earlier");
    const QString schedule = WriteSchedule(LongScheduleRows(400));
    int status = 0;
    {
        // The text report outgrows the limit after a few blocks, while the piles are
        // still being computed; the table report and the summary stay below it.
        const FileSizeLimit limit(300000);
        status = Run({"-q", "-o", folder, schedule});
    }
    QCOMPARE(status, 1);
    QCOMPARE(ReadAll(QDir(folder).filePath(names[0])), QByteArray("earlier"));
    QCOMPARE(ReadAll(QDir(folder).filePath(names[1])), WindowsReport(schedule, rockpile::ReportType::Table));
    QCOMPARE(SummaryLines(folder).size(), 401);
    // No temporary file is left behind.
    QStringList sorted = names;
    sorted.sort();
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name), sorted);
    const QString textPath = rockpile::ResultFilePath(folder, rockpile::TextReportFileName());
    QVERIFY(err.contains("rockpile-batch: 错误: 文件无法保存：" + textPath + "\n磁盘已满或文件超过允许的大小\n"));
    QCOMPARE(err.count(QStringLiteral("文件无法保存")), 1);
    QVERIFY(!out.contains(QStringLiteral("已写出: ") + textPath));
}

QTEST_GUILESS_MAIN(TestBatch)
#include "test_batch.moc"
