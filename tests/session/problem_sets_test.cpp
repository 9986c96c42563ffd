// The engine against problem sets worked out independently: a mismatch means
// an order of Random calls or a bound differs. Each case is given as
// tavrimo-sheets arguments; they are read here into the window's boxes and
// replayed through the session, one preview per sheet.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "problems/setting_pairs.h"
#include "session/worksheet_session.h"

namespace tavrimo {
namespace {

using nlohmann::json;

struct Case {
    std::string note;
    SettingsBoxes boxes;
    std::uint32_t seed = 0;
    json expected;
};

// The arguments read by the rule tavrimo-sheets and links read settings by.
Case ReadCase(const json& c)
{
    Case out{c.at("note").get<std::string>(), {}, 0, c.at("expected")};
    std::vector<SettingPair> pairs;
    const std::vector<std::string> args = c.at("args").get<std::vector<std::string>>();
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") continue;
        const SettingDescription* d = FindSettingByName(args[i].substr(2));
        if (d == nullptr) {
            ADD_FAILURE() << out.note << ": an argument the replay does not know: " << args[i];
            continue;
        }
        pairs.push_back({std::string(d->name), d->kind == SettingKind::Flag ? "" : args.at(++i)});
    }
    const SettingsFromPairs read = ReadSettingPairs(pairs, PairSource::CommandLine);
    EXPECT_FALSE(read.refusal) << out.note;
    out.boxes = read.boxes;
    out.seed = read.seed.value_or(0);
    return out;
}

json Triple(const MixedNumber& m)
{
    return json::array({m.Whole, m.Numerator, m.Denominator});
}

TEST(ProblemSets, MatchIndependentlyWorkedSets)
{
    std::ifstream file(TAVRIMO_VECTORS);
    ASSERT_TRUE(file) << TAVRIMO_VECTORS;
    const json cases = json::parse(file).at("cases");
    ASSERT_GE(cases.size(), 20u);
    for (const json& c : cases) {
        Case k = ReadCase(c);
        SCOPED_TRACE(k.note);
        WorksheetSession session(k.seed);
        for (const json& want : k.expected) {
            ASSERT_EQ(want.at("seed").get<std::uint32_t>(), session.source().seed());
            const PreviewOutcome outcome = session.Preview(k.boxes);
            ASSERT_NE(outcome.status, AssemblyStatus::Refused) << outcome.message;
            EXPECT_EQ(want.at("next_seed").get<std::uint32_t>(), session.source().seed());
            EXPECT_EQ(want.at("print_number").get<std::int32_t>(), session.PrintNumber());
            EXPECT_EQ(want.at("complete").get<bool>(), outcome.status == AssemblyStatus::Complete);
            ASSERT_EQ(want.at("question_count").get<std::int32_t>(), session.QuestionCount());
            const ProblemTable table = session.AnsweredTable();
            const json& problems = want.at("problems");
            ASSERT_EQ(problems.size(), static_cast<std::size_t>(session.QuestionCount()));
            for (int i = 1; i <= session.QuestionCount(); ++i) {
                const json& p = problems[static_cast<std::size_t>(i - 1)];
                EXPECT_EQ(p.at("minuend"), Triple(table.Minuend[i])) << "problem " << i;
                EXPECT_EQ(p.at("subtrahend"), Triple(table.Subtrahend[i])) << "problem " << i;
                EXPECT_EQ(p.at("answer"), Triple(table.Answer[i])) << "problem " << i;
            }
            session.AdvancePrintNumber();
            k.boxes.PrnNum = std::to_string(session.PrintNumber());
        }
    }
}

}  // namespace
}  // namespace tavrimo
