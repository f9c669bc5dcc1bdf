#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/ResultFiles.h"

namespace rockpile {
namespace {

const CandidateTexts kCircular = {"ZH-0001", "圆  桩", "1000",  "-",   "16163", "1.00", "35.00", "中风化", "1",
                                  "完整",    "0.420",  "0.042", "4618", "29%",   "11545", "71%",  ""};
const CandidateTexts kEllipse = {"ZH-0145", "椭圆桩", "1500",  "500",   "25312", "3.00", "40.00", "中风化", "2",
                                 "0.65",    "0.385",  "0.039", "12345", "47%",   "13234", "53%",  ""};
const CandidateTexts kRectangle = {"ZH-0577", "矩形桩", "3000",  "1500",  "60000", "1.50", "35.00", "中风化", "1",
                                   "较破碎",  "0.350",  "0.035", "11813", "20%",   "47250", "80%",  ""};
const CandidateTexts kSquare = {"ZH-1009", "方  桩", "1200",  "1200",  "18816", "2.40", "40.00", "中风化", "2",
                                "0.80",    "0.420",  "0.042", "19354", "51%",   "18144", "49%",  ""};

const std::string kTitleAll =
    "=================================================================== 嵌岩桩优化计算原始结果 "
    "=====================================================================";
const std::string kTitleFiltered =
    "=================================================================== 嵌岩桩筛选计算筛选结果 "
    "=====================================================================";
const std::string kRule =
    "----------------------------------------------------------------------------------------------------------------"
    "------------------------------------------------";
const std::string kHeader1 =
    " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  嵌岩深度  岩石强度  完整程度  端阻系数  侧阻系数  "
    "嵌岩侧阻  嵌岩侧阻  嵌岩端阻  嵌岩端阻  桩承载力 ";
const std::string kHeader2 =
    " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)     hr(m)   frk(MPa)  或 指 数     c1        c2      "
    "Rsa(kN)  占百分比   Rpa(kN)  占百分比   Ra(kN)  ";
const std::string kNote = " 注: 采用《建筑地基基础设计规范》(DBJ 15-31-2016)公式计算";
const std::string kClosing =
    "================================================================================================================"
    "================================================";

TEST(ResultFiles, RowLinesBySection)
{
    EXPECT_EQ(ResultFileRowLine(0, 9, kCircular),
              "   ZH-1     圆  桩     1000        -         -         -       1.00     35.00      完整      0.420     "
              "0.042      4618      29%      11545      71%      16163  ");
    EXPECT_EQ(ResultFileRowLine(0, 10, kEllipse),
              "   ZH-01    椭圆桩     1500       500        -         -       3.00     40.00      0.65      0.385     "
              "0.039     12345      47%      13234      53%      25312  ");
    EXPECT_EQ(ResultFileRowLine(0, 150, kRectangle),
              "  ZH-001    矩形桩       -         -       3000      1500      1.50     35.00     较破碎     0.350     "
              "0.035     11813      20%      47250      80%      60000  ");
    EXPECT_EQ(ResultFileRowLine(149, 150, kSquare),
              "  ZH-150    方  桩       -         -       1200      1200      2.40     40.00      0.80      0.420     "
              "0.042     19354      51%      18144      49%      18816  ");
}

TEST(ResultFiles, WideTextsShiftTheLineInsteadOfBeingCut)
{
    const CandidateTexts wide = {"ZH-9",   "椭圆桩", "12000",     "10000", "1234567.8", "12.00",   "120.00", "中风化", "1",
                                 "极破碎", "0.280",  "0.028",     "123456789", "10%", "1111111", "90%",    ""};
    EXPECT_EQ(ResultFileRowLine(6, 9, wide),
              "   ZH-7     椭圆桩    12000     10000        -         -      12.00    120.00     极破碎     0.280     "
              "0.028   123456789      10%    1111111      90%    1234567.8  ");
}

TEST(ResultFiles, AnUnknownSectionLeavesOutTheSizes)
{
    CandidateTexts odd = kCircular;
    odd[1] = "X";
    odd[4] = "100";
    odd[12] = "4";
    odd[13] = "4%";
    odd[14] = "96";
    odd[15] = "96%";
    EXPECT_EQ(ResultFileRowLine(1, 9, odd),
              "   ZH-2        X       1.00     35.00      完整      0.420     0.042         4       4%         96      "
              "96%        100  ");
}

TEST(ResultFiles, PileNumbersFollowThePositionAndTheRowCount)
{
    struct Case {
        std::size_t position;
        std::size_t rows;
        const char* start;  // the blank, the centred number and two blanks
    };
    const Case cases[] = {
        {0, 1, "   ZH-1     "},    {8, 9, "   ZH-9     "},    {0, 10, "   ZH-01    "},  {9, 10, "   ZH-10    "},
        {0, 150, "  ZH-001    "},  {149, 150, "  ZH-150    "}, {0, 1152, "  ZH-0001   "}, {1151, 1152, "  ZH-1152   "},
    };
    for (const Case& c : cases) {
        const std::string line = ResultFileRowLine(c.position, c.rows, kCircular);
        EXPECT_TRUE(line.starts_with(c.start)) << c.position << " of " << c.rows << ": " << line;
    }
}

TEST(ResultFiles, AFileOfOneRow)
{
    const std::vector<CandidateTexts> rows = {kSquare};
    const std::vector<std::string> lines = ResultFileLines(ResultFileKind::AllCandidates, rows, "2024/5/6 14:03:02");
    const std::vector<std::string> expected = {
        kTitleAll,
        kRule,
        kHeader1,
        kHeader2,
        kRule,
        "   ZH-1     方  桩       -         -       1200      1200      2.40     40.00      0.80      0.420     0.042  "
        "   19354      51%      18144      49%      18816  ",
        kRule,
        kNote,
        kClosing,
        "计算时间：2024/5/6 14:03:02",
    };
    EXPECT_EQ(lines, expected);
    for (const std::string& line : lines) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
}

TEST(ResultFiles, TheFilteredFileHasItsOwnTitle)
{
    const std::vector<std::string> head = ResultFileHeadLines(ResultFileKind::Filtered);
    EXPECT_EQ(head, (std::vector<std::string>{kTitleFiltered, kRule, kHeader1, kHeader2, kRule}));
    EXPECT_EQ(ResultFileTailLines("2024/5/6"),
              (std::vector<std::string>{kRule, kNote, kClosing, "计算时间：2024/5/6"}));
}

TEST(ResultFiles, RowsOfAListAreNumberedByTheirPositionInTheOrder)
{
    CandidateList list("中风化", 2);
    for (double size : {1000.0, 2000.0, 1500.0}) {
        CandidateRow row;
        row.section = 1;
        row.size1 = size;
        row.depth = 1;
        row.frk = 35;
        row.c1 = 0.42;
        row.c2 = 0.042;
        row.sumRria = 4618.14;
        row.raCell = 16163.49;
        row.rpaCell = 11545.35;
        row.ra = 16163.49;
        list.Append(row);
    }
    list.Number();
    const std::vector<std::uint32_t> order = {1, 2, 0};
    const std::vector<std::string> lines = ResultFileLines(ResultFileKind::Filtered, list, order, "t");
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[5],
              "   ZH-1     圆  桩     2000        -         -         -       1.00     35.00      完整      0.420     "
              "0.042      4618      29%      11545      71%      16163  ");
    EXPECT_TRUE(lines[6].starts_with("   ZH-2     圆  桩     1500        -")) << lines[6];
    EXPECT_TRUE(lines[7].starts_with("   ZH-3     圆  桩     1000        -")) << lines[7];
}

}  // namespace
}  // namespace rockpile
