#include "cli/set_report.h"

#include <QFileDevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <string>
#include <vector>

#include "problems/problem_text.h"
#include "problems/setting_descriptions.h"
#include "session/print_sequence.h"

namespace tavrimo {
namespace {

QJsonArray ToJson(const MixedNumber& m)
{
    return {m.Whole, m.Numerator, m.Denominator};
}

// Every setting under its option's name: box texts and the sentence as
// text, choices by their option values, flags as booleans, numbers as
// numbers (null when off).
QJsonObject SettingsJson(const SettingsBoxes& boxes)
{
    QJsonObject settings;
    for (const SettingDescription& d : SettingDescriptions()) {
        const QString name = QString::fromUtf8(d.name.data(), static_cast<qsizetype>(d.name.size()));
        switch (d.kind) {
            case SettingKind::BoxText:
            case SettingKind::Text: settings[name] = QString::fromStdString(boxes.*d.text); break;
            case SettingKind::Flag: settings[name] = boxes.*d.value == 1; break;
            case SettingKind::Choice: {
                const std::string_view value = d.items[static_cast<std::size_t>(boxes.*d.value)].value;
                const QString text = QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
                bool numeric = false;
                const int number = text.toInt(&numeric);
                settings[name] = numeric ? QJsonValue(number) : QJsonValue(text);
                break;
            }
            case SettingKind::Number:
                if (d.value != nullptr)
                    settings[name] = boxes.*d.value == d.off ? QJsonValue() : boxes.*d.value;
                break;
        }
    }
    return settings;
}

// The working's lines after the first "=", when the answers show it.
std::vector<std::string> StepsOf(const ProblemTable& table, int i,
                                 const std::optional<WorkingMethod>& working)
{
    if (!working) return {};
    return WorkingStepTexts(table.Minuend[i], table.Subtrahend[i], *working);
}

QJsonObject ToJson(const MadeSet& set, const QJsonObject& settings,
                   const std::optional<WorkingMethod>& working)
{
    const ProblemTable& table = set.sheet.table;
    const std::int32_t onSheet = ProblemsOnSheet(set.sheet.QuestionCount);
    QJsonArray problems;
    for (int i = 1; i <= set.sheet.QuestionCount; ++i) {
        QJsonObject problem{
            {"minuend", ToJson(table.Minuend[i])},
            {"subtrahend", ToJson(table.Subtrahend[i])},
            {"answer", ToJson(table.Answer[i])},
            {"on_sheet", i <= onSheet},
        };
        if (working) {
            QJsonArray steps;
            for (const std::string& step : StepsOf(table, i, working))
                steps.append(QString::fromStdString(step));
            problem["steps"] = steps;
        }
        problems.append(problem);
    }
    return {
        {"v", kGeneratorVersion},
        {"seed", static_cast<qint64>(set.seed)},
        {"next_seed", static_cast<qint64>(set.nextSeed)},
        {"print_number", set.sheet.PrintNumber},
        {"question_count", set.sheet.QuestionCount},
        {"complete", set.complete},
        {"settings", settings},
        {"problems", problems},
    };
}

}  // namespace

bool WriteOut(QIODevice& out, const QByteArray& bytes)
{
    return out.write(bytes) == bytes.size();
}

bool Flushed(QIODevice& out)
{
    auto* file = qobject_cast<QFileDevice*>(&out);
    return file == nullptr || file->flush();
}

SetReport::SetReport(QIODevice& out, bool json, bool numbered, bool silent, const SettingsBoxes& settings)
    : out_(out), json_(json), numbered_(numbered), silent_(silent), settings_(SettingsJson(settings))
{
    if (settings.steps == 1) working_ = LookOf(settings).Method;
}

bool SetReport::Add(const MadeSet& set)
{
    if (silent_) return true;
    if (!json_) return WriteOut(out_, Text(set));
    // Each element laid out as QJsonDocument lays out an array's.
    QByteArray element = QJsonDocument(ToJson(set, settings_, working_)).toJson(QJsonDocument::Indented);
    element.chop(1);
    element.replace("\n", "\n    ");
    return WriteOut(out_, (sets_++ == 0 ? "[\n    " : ",\n    ") + element);
}

bool SetReport::Finish()
{
    if (json_ && sets_ > 0 && !WriteOut(out_, "\n]\n")) return false;
    return Flushed(out_);
}

QByteArray SetReport::Text(const MadeSet& set) const
{
    QString text;
    if (numbered_) text += QStringLiteral("問題No.%1\n").arg(set.sheet.PrintNumber);
    const std::int32_t onSheet = ProblemsOnSheet(set.sheet.QuestionCount);
    for (int i = 1; i <= set.sheet.QuestionCount; ++i) {
        text += QStringLiteral("%1: %2").arg(i).arg(QString::fromStdString(ProblemLine(set.sheet.table, i)));
        // A set that stopped short at an odd count prints only its full rows.
        if (i > onSheet) text += QStringLiteral("  (プリントにはのりません)");
        text += '\n';
        for (const std::string& step : StepsOf(set.sheet.table, i, working_))
            text += QStringLiteral("    = %1\n").arg(QString::fromStdString(step));
    }
    return text.toUtf8();
}

}  // namespace tavrimo
