// The engine against problem sets worked out independently: a mismatch means
// an order of Random calls or a bound differs. Each case is given as
// tavrimo-sheets arguments; they are read here into the window's boxes and
// replayed through the session, one preview per sheet.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

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

// The arguments as the window's controls: b's denominator boxes follow a's
// unless given, as they do in the window.
Case ReadCase(const json& c)
{
    static const std::map<std::string, std::string SettingsBoxes::*> kBoxes = {
        {"--number", &SettingsBoxes::PrnNum},       {"--whole-a-from", &SettingsBoxes::edtIntf1},
        {"--whole-a-to", &SettingsBoxes::edtIntf2}, {"--den-a-from", &SettingsBoxes::edtBunbof1},
        {"--den-a-to", &SettingsBoxes::edtBunbof2}, {"--whole-b-from", &SettingsBoxes::edtIntb1},
        {"--whole-b-to", &SettingsBoxes::edtIntb2}, {"--den-b-from", &SettingsBoxes::edtBunbob1},
        {"--den-b-to", &SettingsBoxes::edtBunbob2},
    };
    Case out{c.at("note").get<std::string>(), {}, 0, c.at("expected")};
    bool denBFrom = false, denBTo = false;
    const std::vector<std::string> args = c.at("args").get<std::vector<std::string>>();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (const auto box = kBoxes.find(a); box != kBoxes.end()) {
            out.boxes.*(box->second) = args.at(++i);
            denBFrom |= a == "--den-b-from";
            denBTo |= a == "--den-b-to";
        } else if (a == "--seed") {
            out.seed = static_cast<std::uint32_t>(std::stoul(args.at(++i)));
        } else if (a == "--answer-kind") {
            out.boxes.rgAnswer = std::stoi(args.at(++i));
        } else if (a == "--count") {
            out.boxes.rgQNum = args.at(++i) == "20" ? 1 : 0;
        } else if (a == "--common-denominator") {
            out.boxes.rgTuubun = 1;
        } else if (a == "--multiple") {
            out.boxes.rgBaisuu = 1;
        } else if (a == "--reduce-operands") {
            out.boxes.rgYakubun = 1;
        } else if (a != "--json") {
            ADD_FAILURE() << out.note << ": an argument the replay does not know: " << a;
        }
    }
    if (!denBFrom) out.boxes.edtBunbob1 = out.boxes.edtBunbof1;
    if (!denBTo) out.boxes.edtBunbob2 = out.boxes.edtBunbof2;
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
