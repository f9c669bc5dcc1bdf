// The pile schedule: the three encodings, the header, each kind of bad row with its
// message while the other rows are read, and the example schedule of the repository.
#include <QStringEncoder>
#include <QtTest>

#include "io/Schedule.h"

namespace {

// A header of two layer groups, written out by hand.
const QString kHeader = QStringLiteral(
    "桩号,截面,尺寸1,尺寸2,强度取值,系数取值,插值依据,钻冲孔桩,折减系数,软质岩暴露,岩层数,"
    "lr_1,风化程度_1,完整程度_1,完整性指数_1,frk_1,C1_1,C2_1,qpa_1,qra_1,"
    "lr_2,风化程度_2,完整程度_2,完整性指数_2,frk_2,C1_2,C2_2,qpa_2,qra_2");
// A good row: the start inputs of the window, one layer.
const QString kGoodRow = QStringLiteral(
    "ZH-01,圆桩,1000,,,,,,,,1,1.00,中风化,较完整,0.75,25.00,0.50,0.04,8400.00,840.00,,,,,,,,,");

QByteArray Gbk(const QString& text)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

bool Parse(const QByteArray& bytes, rockpile::Schedule& schedule, QString& error)
{
    return rockpile::ParseSchedule(bytes, QStringLiteral("桩表.csv"), 2, schedule, error);
}

}  // namespace

class TestSchedule : public QObject {
    Q_OBJECT
private slots:
    void headerHelperMatchesDocumentedNames();
    void encodingsReadAlike_data();
    void encodingsReadAlike();
    void goodRowGivesStartInputs();
    void rowsReadEveryColumn();
    void badFileIsRefused_data();
    void badFileIsRefused();
    void badRowIsMarkedAndOthersRead_data();
    void badRowIsMarkedAndOthersRead();
    void quotedFieldsAndLineNumbers();
    void exampleScheduleReads();
    void longScheduleReadsWhole_data();
    void longScheduleReadsWhole();
};

void TestSchedule::headerHelperMatchesDocumentedNames()
{
    QCOMPARE(rockpile::ScheduleHeader(2), kHeader);
}

void TestSchedule::encodingsReadAlike_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QString text = kHeader + "\r\n" + kGoodRow + "\r\n" +
                         QStringLiteral("甲,矩形桩,1200,1500,岩样天然湿度单轴抗压强度,程序自动插值,岩体完整程度,否,,否,1,1,微风化,较破碎,,30,,,,,,,,,,,,,") + "\r\n";
    QTest::newRow("UTF-8") << text.toUtf8();
    QTest::newRow("UTF-8 with byte order mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    QTest::newRow("GBK") << Gbk(text);
    QTest::newRow("GBK, LF line ends") << Gbk(QString(text).remove(QLatin1Char('\r')));
}

void TestSchedule::encodingsReadAlike()
{
    QFETCH(QByteArray, bytes);
    rockpile::Schedule schedule;
    QString error;
    QVERIFY2(Parse(bytes, schedule, error), qPrintable(error));
    QCOMPARE(int(schedule.rows.size()), 2);
    const rockpile::ScheduleRow& row = schedule.rows[1];
    QCOMPARE(row.error, QString());
    QCOMPARE(row.line, 3);
    QCOMPARE(row.inputs.pileNumber, std::string("甲"));
    QVERIFY(row.inputs.pile.sectionType == rockpile::SectionType::Rectangle);
    QCOMPARE(row.inputs.pile.a, std::string("1200"));
    QCOMPARE(row.inputs.pile.b, std::string("1500"));
    QVERIFY(!row.inputs.pile.boredPile);
    QVERIFY(!row.inputs.pile.softRockExposed);
    QCOMPARE(row.inputs.pile.reductionFactor, std::string("0.70"));
    QCOMPARE(row.inputs.pile.layers[0].weathering, std::string("微风化"));
    QCOMPARE(row.inputs.pile.layers[0].integrityText, std::string("较破碎"));
}

void TestSchedule::goodRowGivesStartInputs()
{
    rockpile::Schedule schedule;
    QString error;
    QVERIFY2(Parse((kHeader + "\n" + kGoodRow + "\n").toUtf8(), schedule, error), qPrintable(error));
    QCOMPARE(int(schedule.rows.size()), 1);
    rockpile::PageInputs expected;
    expected.pileNumber = "ZH-01";
    QVERIFY(schedule.rows[0].inputs == expected);
}

void TestSchedule::rowsReadEveryColumn()
{
    const QString row = QStringLiteral(
        "P,椭圆桩, 1100 ,600,1,3,1,是,0.85,否,2,1.5,中风化,破碎,0.3,20,0.4,0.03,100,10,"
        "2.5,微风化,完整,0.9,40,0.6,0.05,200,20");
    rockpile::Schedule schedule;
    QString error;
    QVERIFY(Parse((kHeader + "\n" + row).toUtf8(), schedule, error));
    const rockpile::PileInput& pile = schedule.rows[0].inputs.pile;
    QVERIFY(pile.sectionType == rockpile::SectionType::Ellipse);
    QCOMPARE(pile.d, std::string("1100"));
    QCOMPARE(pile.c, std::string("600"));
    QVERIFY(pile.coefficientMode == rockpile::CoefficientMode::Smaller);
    QVERIFY(pile.interpolationBasis == rockpile::InterpolationBasis::IntegrityIndex);
    QCOMPARE(pile.reductionFactor, std::string("0.85"));
    QVERIFY(pile.layers[1] == (rockpile::RockLayer{"2.5", "微风化", "完整", "0.9", "40", "0.6", "0.05", "200", "20"}));
    QVERIFY(pile.layers[0] == (rockpile::RockLayer{"1.5", "中风化", "破碎", "0.3", "20", "0.4", "0.03", "100", "10"}));
}

void TestSchedule::badFileIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QString f = QStringLiteral("桩表文件“桩表.csv”");
    QTest::newRow("empty") << QByteArray() << f + "是空文件，没有表头行";
    QTest::newRow("blank lines only") << QByteArray("\r\n,,,\r\n") << f + "是空文件，没有表头行";
    QTest::newRow("header only") << (kHeader + "\r\n").toUtf8() << f + "只有表头行，没有桩";
    QTest::newRow("GBK behind a UTF-8 byte order mark")
        << QByteArray("\xEF\xBB\xBF") + Gbk(kHeader + "\n" + kGoodRow)
        << f + "以UTF-8标记开头，但内容不是有效的UTF-8文本";
    QTest::newRow("neither UTF-8 nor GBK") << QByteArray("\xFF\xFE\x41\x00") << f + "既不是UTF-8也不是GBK编码的文本";
    QTest::newRow("misnamed column")
        << (QString(kHeader).replace(QStringLiteral("frk_1"), QStringLiteral("frk1")) + "\n" + kGoodRow).toUtf8()
        << f + "的表头第16列为“frk1”，应为“frk_1”（表头第一行须为：" + rockpile::ScheduleHeader(1) + "）";
    QTest::newRow("incomplete layer group")
        << (kHeader.section(QLatin1Char(','), 0, 24) + "\n" + kGoodRow).toUtf8()
        << f + "的表头有25列，应为11列加每层9列（1至9层）";
    QTest::newRow("open quote") << (kHeader + "\n\"ZH-01,圆桩").toUtf8() << f + "第2行起的引号没有闭合";
}

void TestSchedule::badFileIsRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    rockpile::Schedule schedule;
    schedule.rows.resize(1);
    schedule.rows[0].line = 99;
    QString error;
    QVERIFY(!Parse(bytes, schedule, error));
    QCOMPARE(error, message);
    QCOMPARE(int(schedule.rows.size()), 1);
    QCOMPARE(schedule.rows[0].line, 99);
}

void TestSchedule::badRowIsMarkedAndOthersRead_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("message");
    const auto with = [](int column, const char* value) {
        QStringList fields = kGoodRow.split(QLatin1Char(','));
        fields[column] = QString::fromUtf8(value);
        return fields.join(QLatin1Char(','));
    };
    QTest::newRow("a column too few") << kGoodRow.left(kGoodRow.size() - 1) << "第3行：有28列，表头有29列";
    QTest::newRow("a column too many") << kGoodRow + "," << "第3行：有30列，表头有29列";
    QTest::newRow("text in a size") << with(2, "1000mm") << "第3行：“尺寸1”列的“1000mm”不是数值";
    QTest::newRow("text in frk") << with(15, "二十五") << "第3行：“frk_1”列的“二十五”不是数值";
    QTest::newRow("text in qra") << with(19, "1,0") << "第3行：有30列，表头有29列";
    QTest::newRow("text in the factor") << with(8, "七成") << "第3行：“折减系数”列的“七成”不是数值";
    QTest::newRow("unknown section") << with(1, "方桩") << "第3行：截面“方桩”未知，应为圆桩、椭圆桩或矩形桩";
    QTest::newRow("no section") << with(1, "") << "第3行：截面“”未知，应为圆桩、椭圆桩或矩形桩";
    QTest::newRow("unknown strength mode") << with(4, "2")
        << "第3行：“强度取值”列的“2”未知，应为0至1或基岩桩侧、桩端阻力特征值、岩样天然湿度单轴抗压强度";
    QTest::newRow("unknown coefficient mode") << with(5, "自动")
        << "第3行：“系数取值”列的“自动”未知，应为0至3或人工指定系数、程序自动插值、自动插值与人工指定取大值、自动插值与人工指定取小值";
    QTest::newRow("yes or no") << with(7, "Y") << "第3行：“钻冲孔桩”列的“Y”应为是或否";
    QTest::newRow("layer count 0") << with(10, "0") << "第3行：岩层数“0”应为1至9的整数";
    QTest::newRow("layer count text") << with(10, "一") << "第3行：岩层数“一”应为1至9的整数";
    QTest::newRow("more layers than the header") << with(10, "3") << "第3行：岩层数为3，但表头只有2层的列";
}

void TestSchedule::badRowIsMarkedAndOthersRead()
{
    QFETCH(QString, row);
    QFETCH(QString, message);
    rockpile::Schedule schedule;
    QString error;
    QVERIFY2(Parse((kHeader + "\r\n" + kGoodRow + "\r\n" + row + "\r\n" + kGoodRow + "\r\n").toUtf8(),
                   schedule, error), qPrintable(error));
    QCOMPARE(int(schedule.rows.size()), 3);
    QCOMPARE(schedule.rows[1].error, message);
    for (int i : {0, 2}) {
        QCOMPARE(schedule.rows[i].error, QString());
        QCOMPARE(schedule.rows[i].inputs.pile.d, std::string("1000"));
    }
    QCOMPARE(schedule.rows[2].line, 4);
}

void TestSchedule::quotedFieldsAndLineNumbers()
{
    const QString text = kHeader + "\n" + QStringLiteral("\"A,\"\"1\"\"\n东\",") + kGoodRow.section(QLatin1Char(','), 1) +
                         "\n\n" + kGoodRow + "\n";
    rockpile::Schedule schedule;
    QString error;
    QVERIFY2(Parse(text.toUtf8(), schedule, error), qPrintable(error));
    QCOMPARE(int(schedule.rows.size()), 2);
    QCOMPARE(schedule.rows[0].inputs.pileNumber, std::string("A,\"1\"\n东"));
    QCOMPARE(schedule.rows[0].line, 2);
    // The quoted line break and the blank line count as lines of the file.
    QCOMPARE(schedule.rows[1].line, 5);
}

void TestSchedule::exampleScheduleReads()
{
    rockpile::Schedule schedule;
    QString error;
    QVERIFY2(rockpile::ReadSchedule(QStringLiteral(ROCKPILE_SOURCE_DIR "/examples/schedule.csv"), 2, schedule, error),
             qPrintable(error));
    QCOMPARE(int(schedule.rows.size()), 6);
    for (const rockpile::ScheduleRow& row : schedule.rows) QCOMPARE(row.error, QString());
}

// A schedule larger than the blocks it is read in: a quoted name of many lines longer
// than a block, then thousands of rows; in each encoding and with either line end.
void TestSchedule::longScheduleReadsWhole_data()
{
    QString name;
    for (int i = 0; i < 300; ++i) name += QString(499, QChar(0x4E1C)) + QLatin1Char('\n');  // 东
    QString text = kHeader + "\n\"" + name + "\"," + kGoodRow.section(QLatin1Char(','), 1) + "\n";
    for (int i = 0; i < 4000; ++i) text += kGoodRow + "\n";
    text += QStringLiteral("末,圆桩,1000,,,,,,,,1,1.00,中风化,较完整,0.75,0,,,,,,,,,,,,,\n");

    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8, LF") << text.toUtf8();
    QTest::newRow("UTF-8 with byte order mark, CR LF")
        << "\xEF\xBB\xBF" + QString(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toUtf8();
    QTest::newRow("GBK, CR LF") << Gbk(QString(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
    QTest::newRow("GBK, CR") << Gbk(QString(text).replace(QLatin1Char('\n'), QLatin1Char('\r')));
}

void TestSchedule::longScheduleReadsWhole()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(bytes.size() > 600000);
    rockpile::Schedule schedule;
    QString error;
    QVERIFY2(Parse(bytes, schedule, error), qPrintable(error));
    QCOMPARE(int(schedule.rows.size()), 4002);
    QCOMPARE(schedule.rows[0].line, 2);
    QCOMPARE(QString::fromStdString(schedule.rows[0].inputs.pileNumber).count(QChar(0x4E1C)), 300 * 499);
    QCOMPARE(schedule.rows[1].line, 303);
    QCOMPARE(schedule.rows[1].inputs.pileNumber, std::string("ZH-01"));
    QCOMPARE(schedule.rows[4000].line, 4302);
    QCOMPARE(schedule.rows[4001].line, 4303);
    QCOMPARE(schedule.rows[4001].inputs.pileNumber, std::string("末"));
    for (int i = 0; i < 4002; ++i) QCOMPARE(schedule.rows[i].error, QString());

    // The reader gives the same rows one at a time, after counting them.
    rockpile::ScheduleReader reader(bytes, QStringLiteral("桩表.csv"), 2);
    QVERIFY(reader.open(error));
    QCOMPARE(reader.rowCount(), qsizetype(4002));
    rockpile::ScheduleRow row;
    for (int i = 0; i < 4002; ++i) {
        QVERIFY(reader.next(row));
        QCOMPARE(row.line, schedule.rows[i].line);
        QVERIFY(row.inputs == schedule.rows[i].inputs);
    }
    QVERIFY(!reader.next(row));
    QCOMPARE(reader.error(), QString());
}

QTEST_GUILESS_MAIN(TestSchedule)
#include "test_schedule.moc"
