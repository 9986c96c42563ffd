#include "problems/box_integer.h"

#include <gtest/gtest.h>

#include "problems/settings_reader.h"

namespace tavrimo {
namespace {

TEST(BoxInteger, Spellings)
{
    const std::pair<const char*, std::optional<std::int32_t>> rows[] = {
        {"0", 0},
        {"7", 7},
        {" 7", 7},
        {"   -5", -5},
        {"+2", 2},
        {"$A", 10},
        {"$a", 10},
        {"0x1F", 31},
        {"0X1f", 31},
        {"x14", 20},
        {"X14", 20},
        {"-$10", -16},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"$7FFFFFFF", 2147483647},
        {"-0x80000000", INT32_MIN},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"7 ", std::nullopt},
        {"7a", std::nullopt},
        {"1.5", std::nullopt},
        {"a", std::nullopt},
        {"\t7", std::nullopt},
        {"- 5", std::nullopt},
        {"--5", std::nullopt},
        {"$G", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"$80000000", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"\xEF\xBC\x95", std::nullopt},   // full-width 5
        {"1\xEF\xBC\x90", std::nullopt},  // 1 and a full-width 0
    };
    for (const auto& [text, want] : rows) EXPECT_EQ(ParseBoxInteger(text), want) << "'" << text << "'";
}

TEST(BoxInteger, MessagesAndClosingPeriod)
{
    EXPECT_EQ(NotAnIntegerMessage("7 "), "'7 ' は整数ではありません");
    EXPECT_EQ(WithClosingPeriod(NotAnIntegerMessage("")), "'' は整数ではありません.");
    EXPECT_EQ(WithClosingPeriod("ok."), "ok.");
    EXPECT_EQ(WithClosingPeriod("(x)"), "(x)");  // ")" sorts before "."
    EXPECT_EQ(WithClosingPeriod("abc"), "abc.");
    EXPECT_EQ(WithClosingPeriod(""), "");
}

TEST(SettingsReader, DefaultsAndOrdering)
{
    SettingsBoxes boxes;
    SettingsReading r = ReadSettings(boxes);
    ASSERT_TRUE(r.settings);
    EXPECT_EQ(*r.PrintNumber, 1);
    EXPECT_EQ(r.settings->ProblemCount, 16);
    EXPECT_EQ(r.settings->ranges.DenAMin, 2);
    EXPECT_EQ(r.settings->ranges.DenBMax, 99);

    // Bounds typed the wrong way round give the same ranges.
    boxes.edtBunbof1 = "99";
    boxes.edtBunbof2 = "2";
    boxes.edtIntb1 = "9";
    boxes.edtIntb2 = "3";
    boxes.rgQNum = 1;
    r = ReadSettings(boxes);
    ASSERT_TRUE(r.settings);
    EXPECT_EQ(r.settings->ranges.DenAMin, 2);
    EXPECT_EQ(r.settings->ranges.DenAMax, 99);
    EXPECT_EQ(r.settings->ranges.WholeBMin, 3);
    EXPECT_EQ(r.settings->ranges.WholeBMax, 9);
    EXPECT_EQ(r.settings->ProblemCount, 20);
}

TEST(SettingsReader, StopsAtTheFirstBadBoxInOrder)
{
    SettingsBoxes boxes;
    boxes.PrnNum = "12";
    boxes.edtBunbob2 = "x";  // read last
    boxes.edtIntb1 = "b";    // read before the denominators
    SettingsReading r = ReadSettings(boxes);
    EXPECT_FALSE(r.settings);
    EXPECT_EQ(r.PrintNumber, 12);  // read before the failing box
    EXPECT_EQ(r.error, "'b' は整数ではありません");

    boxes.PrnNum = "";
    r = ReadSettings(boxes);
    EXPECT_FALSE(r.PrintNumber);
    EXPECT_EQ(r.error, "'' は整数ではありません");
}

// Box texts outside their domain, and item indices and numbers no control can
// hold (a script or a hand-made request can pass any int): each is refused
// with a message naming the setting, never generated from.
TEST(SettingsReader, RefusesValuesOutsideTheirRange)
{
    struct Row {
        SettingsBoxes boxes;
        const char* message;  // empty when accepted
    };
    const Row rows[] = {
        {{.edtIntf1 = "-1"}, "aの整数部分の下限の「-1」は0から99までの数ではありません"},
        {{.edtIntb2 = "100"}, "bの整数部分の上限の「100」は0から99までの数ではありません"},
        {{.edtBunbof1 = "1"}, "aの分母の下限の「1」は0又は2から99までの数ではありません"},
        {{.edtBunbob1 = "$64"}, "bの分母の下限の「100」は0又は2から99までの数ではありません"},
        {{.edtBunbof2 = "0"}, ""},
        {{.edtIntf2 = "99"}, ""},
        {{.rgQNum = 2}, "問題数に項目「2」はありません"},
        {{.rgAnswer = -1}, "分数部分だけの答えに項目「-1」はありません"},
        {{.rgAnswer = 6}, "分数部分だけの答えに項目「6」はありません"},
        {{.rgYakubun = 2}, "分母と分子の約分に項目「2」はありません"},
        {{.borrowMix = 101}, "くり下がりを混ぜるの「101」は0から100までの数ではありません"},
        {{.borrowMix = -2}, "くり下がりを混ぜるの「-2」は0から100までの数ではありません"},
        {{.maxCommonDenominator = 1}, "通分後の分母の上限の「1」は2から9801までの数ではありません"},
        {{.sheets = 0}, "枚数の「0」は1から100までの数ではありません"},
        {{.borrowMix = 0}, ""},
        {{.maxCommonDenominator = 2}, ""},
    };
    for (const Row& row : rows) {
        const SettingsReading r = ReadSettings(row.boxes);
        EXPECT_EQ(r.error, row.message);
        EXPECT_EQ(r.settings.has_value(), *row.message == '\0');
    }
}

}  // namespace
}  // namespace tavrimo
