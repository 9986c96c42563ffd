// The command line against problem sets worked out independently: a mismatch
// means an order of Random calls or a bound differs.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QTextStream>

#include "cli/sheets_command.h"

namespace {

struct Case {
    QString note;
    QStringList args;
    QJsonValue expected;
};

std::vector<Case> LoadCases()
{
    QFile file(TAVRIMO_VECTORS);
    if (!file.open(QIODevice::ReadOnly)) return {};
    std::vector<Case> cases;
    for (const QJsonValue c : QJsonDocument::fromJson(file.readAll()).object().value("cases").toArray()) {
        QStringList args{"tavrimo-sheets"};
        for (const QJsonValue a : c["args"].toArray()) args << a.toString();
        cases.push_back({c["note"].toString(), args, c["expected"]});
    }
    return cases;
}

TEST(ProblemSets, MatchIndependentlyWorkedSets)
{
    const auto cases = LoadCases();
    ASSERT_GE(cases.size(), 20u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note.toStdString());
        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        const int code = tavrimo::RunSheetsCommand(c.args, out, err);
        out.flush();
        const QJsonArray got = QJsonDocument::fromJson(outText.toUtf8()).array();
        const QJsonArray want = c.expected.toArray();
        ASSERT_EQ(got.size(), want.size()) << errText.toStdString();
        for (int i = 0; i < want.size(); ++i) {
            const QJsonObject g = got[i].toObject(), w = want[i].toObject();
            EXPECT_EQ(g["seed"], w["seed"]);
            EXPECT_EQ(g["next_seed"], w["next_seed"]);
            EXPECT_EQ(g["question_count"], w["question_count"]);
            EXPECT_EQ(g["complete"], w["complete"]);
            EXPECT_EQ(g["print_number"], w["print_number"]);
            EXPECT_EQ(g["problems"], w["problems"]);
        }
        const bool complete = want.last().toObject()["complete"].toBool();
        EXPECT_EQ(code, complete ? tavrimo::kExitComplete : tavrimo::kExitShort);
    }
}

}  // namespace
