#include "cli/sheets_command.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPrinterInfo>
#include <optional>
#include <string>
#include <vector>

#include "cli/sheet_files.h"
#include "problems/box_integer.h"
#include "problems/problem_text.h"
#include "problems/worksheet_settings.h"
#include "runtime/qt/qt_sheet_printer.h"
#include "runtime/random_source.h"
#include "session/print_sequence.h"
#include "session/worksheet_session.h"

namespace tavrimo {
namespace {

// One box of the settings panel and its option.
struct BoxOption {
    const char* name;
    std::string SettingsBoxes::*field;
    const char* description;
};

const BoxOption kBoxOptions[] = {
    {"number", &SettingsBoxes::PrnNum, "プリント番号 (既定 1)"},
    {"whole-a-from", &SettingsBoxes::edtIntf1, "aの整数部分の下限 (既定 0)"},
    {"whole-a-to", &SettingsBoxes::edtIntf2, "aの整数部分の上限 (既定 0)"},
    {"den-a-from", &SettingsBoxes::edtBunbof1, "aの分母の下限 (既定 2)"},
    {"den-a-to", &SettingsBoxes::edtBunbof2, "aの分母の上限 (既定 99)"},
    {"whole-b-from", &SettingsBoxes::edtIntb1, "bの整数部分の下限 (既定 0)"},
    {"whole-b-to", &SettingsBoxes::edtIntb2, "bの整数部分の上限 (既定 0)"},
    {"den-b-from", &SettingsBoxes::edtBunbob1, "bの分母の下限 (既定 aの分母の下限)"},
    {"den-b-to", &SettingsBoxes::edtBunbob2, "bの分母の上限 (既定 aの分母の上限)"},
};

enum class Answers { No, With, Only };

struct Request {
    SettingsBoxes boxes;
    std::string question = kDefaultQuestionText;
    std::optional<std::uint32_t> seed;
    int sheets = 1;
    bool json = false;
    QString output;  // empty: no file
    bool png = false;
    int dpi = kDefaultPngDpi;
    Answers answers = Answers::No;
    bool preview = false;
    bool print = false;
    QString printer;  // empty: the default printer
};

// One set as one click of the preview button leaves it, with its answers.
struct MadeSet {
    std::uint32_t seed = 0;
    std::uint32_t nextSeed = 0;
    bool complete = false;
    Sheet sheet;
};

std::optional<int> IntegerIn(const QString& text, int low, int high)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high) return std::nullopt;
    return v;
}

// Fills the request from the parsed options; returns an error message or "".
QString ReadRequest(const QCommandLineParser& parser, Request& request)
{
    for (const BoxOption& box : kBoxOptions) {
        if (parser.isSet(box.name)) request.boxes.*box.field = parser.value(box.name).toStdString();
    }
    // b's denominator boxes follow a's unless given, as in the window.
    if (!parser.isSet("den-b-from")) request.boxes.edtBunbob1 = request.boxes.edtBunbof1;
    if (!parser.isSet("den-b-to")) request.boxes.edtBunbob2 = request.boxes.edtBunbof2;

    if (parser.isSet("answer-kind")) {
        const auto kind = IntegerIn(parser.value("answer-kind"), 0, 5);
        if (!kind) return "--answer-kind には0から5までの数を指定してください";
        request.boxes.rgAnswer = *kind;
    }
    if (parser.isSet("count")) {
        const QString count = parser.value("count");
        if (count != "16" && count != "20") return "--count には16か20を指定してください";
        request.boxes.rgQNum = count == "20" ? 1 : 0;
    }
    request.boxes.rgTuubun = parser.isSet("common-denominator") ? 1 : 0;
    request.boxes.rgBaisuu = parser.isSet("multiple") ? 1 : 0;
    request.boxes.rgYakubun = parser.isSet("reduce-operands") ? 1 : 0;

    if (parser.isSet("seed")) {
        bool ok = false;
        const qulonglong seed = parser.value("seed").toULongLong(&ok);
        if (!ok || seed > 0xFFFFFFFFull) return "--seed には0から4294967295までの数を指定してください";
        request.seed = static_cast<std::uint32_t>(seed);
    }
    if (parser.isSet("sheets")) {
        const auto sheets = IntegerIn(parser.value("sheets"), 1, 10000);
        if (!sheets) return "--sheets には1から10000までの数を指定してください";
        request.sheets = *sheets;
    }
    request.json = parser.isSet("json");
    if (parser.isSet("question")) request.question = parser.value("question").toStdString();

    request.output = parser.value("output");
    request.preview = parser.isSet("preview");
    request.print = parser.isSet("print") || parser.isSet("printer");
    request.printer = parser.value("printer");
    if (parser.isSet("printer") && request.printer.isEmpty())
        return "--printer にはプリンタの名前を指定してください";
    const QString format = parser.isSet("format")
                               ? parser.value("format").toLower()
                               : (request.output.endsWith(".png", Qt::CaseInsensitive) ? "png" : "pdf");
    if (format != "pdf" && format != "png") return "--format には pdf か png を指定してください";
    request.png = format == "png";
    if (parser.isSet("dpi")) {
        const auto dpi = IntegerIn(parser.value("dpi"), kMinPngDpi, kMaxPngDpi);
        if (!dpi)
            return QString("--dpi には%1から%2までの数を指定してください").arg(kMinPngDpi).arg(kMaxPngDpi);
        request.dpi = *dpi;
    }
    if (parser.isSet("answers")) {
        const QString a = parser.value("answers");
        if (a == "no")
            request.answers = Answers::No;
        else if (a == "with")
            request.answers = Answers::With;
        else if (a == "only")
            request.answers = Answers::Only;
        else
            return "--answers には no、with、only のどれかを指定してください";
    }
    if (request.output.isEmpty() && (request.preview || parser.isSet("format") || parser.isSet("dpi"))) {
        return "--preview、--format、--dpi には -o でファイル名を指定してください";
    }
    if (request.preview && !request.png) return "--preview はPNGにだけ書けます";
    return {};
}

QJsonArray ToJson(const MixedNumber& m)
{
    return {m.Whole, m.Numerator, m.Denominator};
}

QJsonObject ToJson(const MadeSet& set)
{
    const ProblemTable& table = set.sheet.table;
    QJsonArray problems;
    for (int i = 1; i <= set.sheet.QuestionCount; ++i) {
        problems.append(QJsonObject{
            {"minuend", ToJson(table.Minuend[i])},
            {"subtrahend", ToJson(table.Subtrahend[i])},
            {"answer", ToJson(table.Answer[i])},
        });
    }
    return {
        {"seed", static_cast<qint64>(set.seed)},
        {"next_seed", static_cast<qint64>(set.nextSeed)},
        {"print_number", set.sheet.PrintNumber},
        {"question_count", set.sheet.QuestionCount},
        {"complete", set.complete},
        {"problems", problems},
    };
}

// The pages the print buttons would print for each set, in order; with
// preview, the preview's answer sheet of each set.
std::vector<Sheet> PagesOf(const std::vector<MadeSet>& sets, const Request& request, bool preview)
{
    std::vector<Sheet> pages;
    for (const MadeSet& set : sets) {
        auto page = [&](bool answers) {
            Sheet sheet = set.sheet;
            sheet.ShowAnswers = answers;
            sheet.QuestionText = request.question;
            return sheet;
        };
        if (preview) {
            pages.push_back(page(true));
            continue;
        }
        if (request.answers != Answers::Only) pages.push_back(page(false));
        if (request.answers != Answers::No) pages.push_back(page(true));
    }
    return pages;
}

QString WriteFiles(const std::vector<MadeSet>& sheets, const Request& request)
{
    const std::vector<Sheet> pages = PagesOf(sheets, request, request.preview);
    if (!request.preview) {
        return request.png ? WriteSheetsPng(request.output, pages, request.dpi)
                           : WriteSheetsPdf(request.output, pages);
    }
    const QStringList names = PngFileNames(request.output, static_cast<int>(pages.size()));
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (QString error = WritePreviewPng(names[static_cast<int>(i)], pages[i]); !error.isEmpty())
            return error;
    }
    return {};
}

// Sends the pages to the printer as the window's print commands do. Returns
// an error message or "".
QString PrintPages(const std::vector<Sheet>& pages, const QString& printerName)
{
    QtSheetPrinter printer;
    if (!printerName.isEmpty()) {
        if (QPrinterInfo::printerInfo(printerName).isNull()) {
            return QString("プリンタ「%1」が見つかりません").arg(printerName);
        }
        printer.device().setPrinterName(printerName);
    }
    if (const PrinterFault fault = PrintSheets(printer, pages); fault != PrinterFault::None) {
        return QString::fromStdString(WithClosingPeriod(std::string(PrinterFaultMessage(fault))));
    }
    return {};
}

}  // namespace

bool NeedsGuiApplication(const QStringList& arguments)
{
    for (const QString& a : arguments) {
        if (a == "-o" || a.startsWith("--output") || a == "--preview" || a == "--print" ||
            a.startsWith("--printer")) {
            return true;
        }
    }
    return false;
}

int RunSheetsCommand(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "帯分数の引き算の問題を作ります。設定は画面の入力欄と同じ文字で指定します。\n"
        "終了コード: 0 すべて作成、1 問題数が確保できなかった、2 入力の誤りまたは印刷できなかった。");
    parser.addHelpOption();
    for (const BoxOption& box : kBoxOptions) {
        parser.addOption({box.name, QString::fromUtf8(box.description), "TXT"});
    }
    parser.addOptions({
        {"answer-kind",
         "分数部分だけの答え: 0以上約分なし 0, 0以上約分あり 1, 0以上約分混合 2, "
         "0未満約分なし 3, 0未満約分あり 4, 0未満約分混合 5 (既定 0)",
         "0..5"},
        {"count", "問題数: 16 (8段2列) または 20 (10段2列) (既定 16)", "16|20"},
        {"common-denominator", "通分あり"},
        {"multiple", "他方の倍数パターンあり (通分ありのときだけ効きます)"},
        {"reduce-operands", "分母と分子の約分なし: 問題の分数を約分しておく"},
        {"question", "問題文 (既定 つぎの計算をしましょう。)", "TEXT"},
        {"seed", "乱数の種 0..4294967295 (省略時は時刻から決め、標準エラーに表示)", "N"},
        {"sheets", "続けて作るプリントの枚数。番号は1枚ごとに1つ進みます (既定 1)", "K"},
        {"json", "JSONで出力"},
        {{"o", "output"}, "プリントをファイルに書く: FILE.pdf (A4縦、1枚1ページ) または FILE.png", "FILE"},
        {"format", "ファイルの形式 (既定 ファイル名の拡張子から、なければ pdf)", "pdf|png"},
        {"answers", "書くプリント: no 問題のみ (既定)、with 問題と答え、only 答えのみ", "no|with|only"},
        {"dpi", "PNGの解像度 (既定 150)", "N"},
        {"preview", "プレビュー画面と同じ 320 x 441 の答えつきプリントをPNGに書く"},
        {"print", "プリントを既定のプリンタで印刷する: 1枚1ジョブ、--answers のとおり (縦向き)"},
        {"printer", "印刷するプリンタの名前 (--print を含みます)", "NAME"},
    });

    if (!parser.parse(arguments)) {
        err << parser.errorText() << Qt::endl;
        return kExitBadInput;
    }
    if (parser.isSet("help")) {
        out << parser.helpText();
        return kExitComplete;
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << "余分な引数があります: " << parser.positionalArguments().join(' ') << Qt::endl;
        return kExitBadInput;
    }

    Request request;
    if (const QString error = ReadRequest(parser, request); !error.isEmpty()) {
        err << error << Qt::endl;
        return kExitBadInput;
    }

    WorksheetSession session;
    if (request.seed) {
        session.source().setSeed(*request.seed);
    } else {
        Randomize(session.source());
        err << "乱数の種 (--seed): " << session.source().seed() << Qt::endl;
    }

    // Each sheet is one preview, followed by what printing it does to the number.
    std::vector<MadeSet> sheets;
    int exitCode = kExitComplete;
    for (int k = 0; k < request.sheets; ++k) {
        MadeSet set;
        set.seed = session.source().seed();
        const PreviewOutcome outcome = session.Preview(request.boxes);
        if (outcome.status == AssemblyStatus::Refused) {
            err << QString::fromStdString(outcome.message) << Qt::endl;
            return kExitBadInput;
        }
        set.nextSeed = session.source().seed();
        set.complete = outcome.status == AssemblyStatus::Complete;
        set.sheet.table = session.AnsweredTable();
        set.sheet.QuestionCount = session.QuestionCount();
        set.sheet.PrintNumber = session.PrintNumber();
        sheets.push_back(set);
        if (!set.complete) {
            err << QString::fromStdString(outcome.message) << Qt::endl;
            exitCode = kExitShort;
            break;
        }
        session.AdvancePrintNumber();
        request.boxes.PrnNum = std::to_string(session.PrintNumber());
    }

    if (!request.output.isEmpty()) {
        if (const QString error = WriteFiles(sheets, request); !error.isEmpty()) {
            err << error << Qt::endl;
            return kExitBadInput;
        }
    }
    if (request.print) {
        if (const QString error = PrintPages(PagesOf(sheets, request, false), request.printer);
            !error.isEmpty()) {
            err << error << Qt::endl;
            return kExitBadInput;
        }
    }

    if (request.json) {
        QJsonArray array;
        for (const MadeSet& set : sheets) array.append(ToJson(set));
        out << QJsonDocument(array).toJson(QJsonDocument::Indented);
    } else {
        for (const MadeSet& set : sheets) {
            if (request.sheets > 1) out << "問題No." << set.sheet.PrintNumber << Qt::endl;
            for (int i = 1; i <= set.sheet.QuestionCount; ++i) {
                out << i << ": " << QString::fromStdString(ProblemLine(set.sheet.table, i)) << Qt::endl;
            }
        }
    }
    return exitCode;
}

}  // namespace tavrimo
