#include "problems/answer.h"

#include <gtest/gtest.h>

#include "problems/problem_set.h"
#include "rational.h"

namespace tavrimo {
namespace {

MixedNumber Answer(MixedNumber a, MixedNumber b, std::string_view op = "-")
{
    ProblemTable table;
    table.Minuend[1] = a;
    table.Subtrahend[1] = b;
    CalcAnswer(table, 1, op);
    return table.Answer[1];
}

TEST(CalcAnswer, WorkedExamples)
{
    struct Row {
        const char* name;
        MixedNumber a, b;
        const char* op;
        MixedNumber want;
    };
    const Row rows[] = {
        {"3 1/4 - 1 3/4: borrow, then 2/4 reduced", {3, 1, 4}, {1, 3, 4}, "-", {1, 1, 2}},
        {"5 2/3 - 2 1/4: common denominator 12", {5, 2, 3}, {2, 1, 4}, "-", {3, 5, 12}},
        {"4 1/6 - 1 3/4: 2/12 < 9/12, borrow", {4, 1, 6}, {1, 3, 4}, "-", {2, 5, 12}},
        {"3 1/2 - 1 1/6: 2/6 reduced", {3, 1, 2}, {1, 1, 6}, "-", {2, 1, 3}},
        {"5 - 2 3/7: a without fraction part", {5, 0, 0}, {2, 3, 7}, "-", {2, 4, 7}},
        {"4 5/6 - 1: b without fraction part", {4, 5, 6}, {1, 0, 0}, "-", {3, 5, 6}},
        {"6 - 2: no fraction at all", {6, 0, 0}, {2, 0, 0}, "-", {4, 0, 0}},
        {"3 2/5 - 1 2/5: zero fraction becomes 0/1", {3, 2, 5}, {1, 2, 5}, "-", {2, 0, 1}},
        {"1 3/4 + 2 3/4: carry", {1, 3, 4}, {2, 3, 4}, "+", {4, 1, 2}},
        {"1 2/3 + 1 1/2", {1, 2, 3}, {1, 1, 2}, "+", {3, 1, 6}},
        {"1/2 + 1/2", {0, 1, 2}, {0, 1, 2}, "+", {1, 0, 1}},
        {"3 1/4 + 2", {3, 1, 4}, {2, 0, 0}, "+", {5, 1, 4}},
        {"empty operation subtracts", {3, 1, 4}, {1, 3, 4}, "", {1, 1, 2}},
        {"' + ' subtracts", {3, 1, 4}, {1, 3, 4}, " + ", {1, 1, 2}},
    };
    for (const Row& r : rows) EXPECT_EQ(Answer(r.a, r.b, r.op), r.want) << r.name;
}

TEST(CalcAnswer, SameSlotTwiceGivesTheSameAnswer)
{
    ProblemTable table;
    table.Minuend[7] = {4, 1, 6};
    table.Subtrahend[7] = {1, 3, 4};
    CalcAnswer(table, 7, "-");
    const MixedNumber first = table.Answer[7];
    CalcAnswer(table, 7, "-");
    EXPECT_EQ(table.Answer[7], first);
    EXPECT_EQ(table.Minuend[7], (MixedNumber{4, 1, 6}));  // operands only read
}

TEST(CalcAnswer, NegativeDenominatorsStayDefined)
{
    // Outside the domain: no defined result, but nothing undefined happens.
    const MixedNumber r = Answer({1, 1, -3}, {0, 1, 0});
    EXPECT_EQ(r.Whole, 1);
    (void)Answer({INT32_MIN, 1, -1}, {INT32_MAX, 1, 2}, "+");
}

// Every answer of many generated sets equals the exact a - b (or a + b),
// reduced to lowest terms.
TEST(CalcAnswer, AgreesWithExactArithmeticOnGeneratedSets)
{
    int checked = 0;
    for (int kind = 0; kind < 6; ++kind) {
        for (int option = 0; option < 8; ++option) {
            SettingsBoxes boxes;
            boxes.edtIntf1 = kind >= 3 ? "2" : "0";
            boxes.edtIntf2 = "9";
            boxes.edtIntb2 = "1";
            boxes.edtBunbof2 = boxes.edtBunbob2 = "30";
            boxes.rgAnswer = kind;
            boxes.rgTuubun = option & 1;
            boxes.rgBaisuu = (option >> 1) & 1;
            boxes.rgYakubun = (option >> 2) & 1;
            boxes.rgQNum = 1;
            RandomSource source(static_cast<std::uint32_t>(kind * 1000 + option));
            for (int set = 0; set < 5; ++set) {
                Sheet sheet;
                ProblemTable& table = sheet.table;
                ProblemKeys keys{};
                AssembleProblemSet(boxes, source, sheet, keys);
                for (int i = 1; i <= sheet.QuestionCount; ++i) {
                    const MixedNumber &a = table.Minuend[i], &b = table.Subtrahend[i];
                    CalcAnswer(table, i, "-");
                    ASSERT_EQ(test::ValueOf(table.Answer[i]), test::ValueOf(a) - test::ValueOf(b));
                    ASSERT_TRUE(test::InLowestTerms(table.Answer[i]));
                    CalcAnswer(table, i, "+");
                    ASSERT_EQ(test::ValueOf(table.Answer[i]), test::ValueOf(a) + test::ValueOf(b));
                    ASSERT_TRUE(test::InLowestTerms(table.Answer[i]));
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 3000);
}

}  // namespace
}  // namespace tavrimo
