// Settings read as name=value pairs: the one rule links and tavrimo-sheets
// share, and the links the page writes.
#include "problems/setting_pairs.h"

#include <gtest/gtest.h>

#include <set>

#include "problems/question_text.h"

namespace tavrimo {
namespace {

SettingsFromPairs Read(std::vector<SettingPair> pairs, PairSource source = PairSource::Link)
{
    return ReadSettingPairs(pairs, source);
}

TEST(SettingDescriptions, NamesAndControlsAreOneEach)
{
    std::set<std::string_view> names, controls;
    for (const SettingDescription& d : SettingDescriptions()) {
        EXPECT_TRUE(names.insert(d.name).second) << d.name;
        EXPECT_TRUE(controls.insert(d.control).second) << d.control;
        EXPECT_EQ(d.text != nullptr, d.kind == SettingKind::BoxText || d.kind == SettingKind::Text) << d.name;
    }
}

TEST(SettingPairs, ValuesAreReadByOneRule)
{
    struct Row {
        std::vector<SettingPair> pairs;
        const char* refusedName;   // "" when every value is taken
        SettingsBoxes boxes = {};  // then what they make of the defaults
        std::optional<std::uint32_t> seed = {};
        PairSource source = PairSource::Link;
    };
    const Row rows[] = {
        {{{"seed", "1"}, {"seed", "2"}}, "", {}, 2u},
        {{{"seed", " 7 "}, {"count", "020"}}, "", {.rgQNum = 1}, 7u},
        {{{"seed", "4294967296"}}, "seed"},
        {{{"seed", "0x10"}}, "seed"},
        {{{"count", "18"}}, "count"},
        {{{"answer-kind", "5"}, {"collate", "stacks"}, {"method", "improper"}},
         "",
         {.rgAnswer = 5, .collate = 1, .method = 1}},
        {{{"common-denominator", ""}, {"multiple", "1"}, {"reduce-operands", "0"}},
         "",
         {.rgTuubun = 1, .rgBaisuu = 1}},
        {{{"multiple", "yes"}}, "multiple"},
        // Box texts are the boxes' to judge, later, as the window does; b's denominators follow a's.
        {{{"whole-a-to", " 7"}}, "", {.edtIntf2 = " 7"}},
        {{{"den-a-from", "5"}, {"den-b-to", "9"}},
         "",
         {.edtBunbof1 = "5", .edtBunbob1 = "5", .edtBunbob2 = "9"}},
        {{{"borrow-mix", "101"}}, "borrow-mix"},
        {{{"sheets", "101"}}, "sheets"},
        {{{"sheets", "10000"}}, "", {.sheets = 10000}, {}, PairSource::CommandLine},
        {{{"question", std::string(200, 'a')}}, "", {.QstSentence = std::string(200, 'a')}},
        {{{"question", std::string(199, 'a') + "\U0001F600"}}, "question"},  // a surrogate pair counts two
        {{{"v", "1"}}, ""},
        {{{"v", "2"}, {"seed", "x"}}, "v"},
        {{{"sed", "1"}, {"sed", "2"}, {"seed", "3"}}, "", {}, 3u},
    };
    for (const Row& row : rows) {
        const SettingsFromPairs r = Read(row.pairs, row.source);
        SCOPED_TRACE(row.pairs.front().name + "=" + row.pairs.front().value);
        EXPECT_EQ(r.refusal ? r.refusal->name : "", row.refusedName) << (r.refusal ? r.refusal->message : "");
        EXPECT_TRUE(r.refusal || (r.boxes == row.boxes && r.seed == row.seed));
    }
    EXPECT_EQ(Read({{"sed", "1"}, {"sed", "2"}, {"seed", "3"}}).unknown, std::vector<std::string>{"sed"});
    EXPECT_NE(Read({{"v", "2"}}).refusal->message.find("新しい版のTavrimoで作られました"), std::string::npos);
}

// Every link the page writes reopens as the same settings.
TEST(SettingPairs, WrittenLinksReadBackAsTheSameSettings)
{
    SettingsBoxes changed{.edtIntf1 = "1", .edtBunbob2 = "12", .rgAnswer = 4, .rgTuubun = 1};
    changed.QstSentence = "ひき算 & <b>", changed.borrowMix = 50, changed.easyFirst = 1;
    changed.maxCommonDenominator = 36, changed.sheets = 30, changed.collate = 1, changed.steps = 1;
    for (const SettingsBoxes& boxes : {SettingsBoxes{}, changed}) {
        const auto pairs = WriteSettingPairs(boxes, 123u);
        EXPECT_EQ(pairs.front().name, "v");
        const SettingsFromPairs r = Read(pairs);
        EXPECT_FALSE(r.refusal);
        EXPECT_EQ(r.boxes, boxes);
        EXPECT_EQ(r.seed, 123u);
    }
    // Settings of the dialog at their defaults stay out of the link.
    for (const SettingPair& p : WriteSettingPairs(SettingsBoxes{}, std::nullopt)) {
        const SettingDescription* d = FindSettingByName(p.name);
        EXPECT_TRUE(d == nullptr || d->place == SettingPlace::Window) << p.name;
    }
}

TEST(QuestionText, ControlCharactersNeverReachTheSheet)
{
    EXPECT_EQ(SheetQuestionText("つぎの\n計算\tを\r\nしよう"), "つぎの 計算 を  しよう");
    EXPECT_EQ(SheetQuestionText(std::string("a\0b\x1b[1mc\x7f", 10)), "ab[1mc");
    EXPECT_EQ(SheetQuestionText("x\u0085y\u00e9"), "xy\u00e9");  // C1 out, Latin-1 letters kept
}

}  // namespace
}  // namespace tavrimo
