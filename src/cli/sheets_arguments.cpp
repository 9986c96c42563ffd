#include "cli/sheets_arguments.h"

#include <QFileInfo>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "problems/box_integer.h"

namespace tavrimo {
namespace {

// One box of the settings panel and its option, in the order the window
// reads the boxes, so the first box that holds no integer is the one the
// reading stopped at.
struct BoxOption {
    const char* name;
    std::string SettingsBoxes::*field;
    const char* label;
    const char* followsA = nullptr;  // b's denominator boxes follow a's unless given
};

const BoxOption kBoxOptions[] = {
    {"number", &SettingsBoxes::PrnNum, "プリント番号"},
    {"whole-a-from", &SettingsBoxes::edtIntf1, "aの整数部分の下限"},
    {"whole-a-to", &SettingsBoxes::edtIntf2, "aの整数部分の上限"},
    {"whole-b-from", &SettingsBoxes::edtIntb1, "bの整数部分の下限"},
    {"whole-b-to", &SettingsBoxes::edtIntb2, "bの整数部分の上限"},
    {"den-a-from", &SettingsBoxes::edtBunbof1, "aの分母の下限"},
    {"den-a-to", &SettingsBoxes::edtBunbof2, "aの分母の上限"},
    {"den-b-from", &SettingsBoxes::edtBunbob1, "bの分母の下限", "aの分母の下限"},
    {"den-b-to", &SettingsBoxes::edtBunbob2, "bの分母の上限", "aの分母の上限"},
};

// "label (既定 default)", the default being what the window's box starts with.
QString BoxDescription(const BoxOption& box)
{
    const std::string initial = box.followsA != nullptr ? box.followsA : SettingsBoxes{}.*box.field;
    return QStringLiteral("%1 (既定 %2)").arg(QString::fromUtf8(box.label), QString::fromStdString(initial));
}

constexpr int kMaxSheets = 10000;

void AddOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        "帯分数の引き算の問題を作ります。設定は画面の入力欄と同じ文字で指定します。\n"
        "終了コード: 0 すべて作成、1 問題数が確保できなかった、"
        "2 入力の誤り、またはファイル・標準出力・プリンタに書けなかった。");
    parser.addHelpOption();
    for (const BoxOption& box : kBoxOptions) {
        parser.addOption({box.name, BoxDescription(box), "TXT"});
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
        {"question", QStringLiteral("問題文 (既定 %1)").arg(QString::fromUtf8(kDefaultQuestionText)), "TEXT"},
        {"seed", "乱数の種 0..4294967295 (省略時は時刻から決め、標準エラーに表示)", "N"},
        {"sheets", "続けて作るプリントの枚数 1..10000。番号は1枚ごとに1つ進みます (既定 1)", "K"},
        {"json", "JSONで出力"},
        {{"o", "output"},
         "プリントをファイルに書く: FILE.pdf (A4縦、1枚1ページ) または FILE.png。"
         "- は標準出力、デバイスなど通常のファイルでないものにはそのまま書きます",
         "FILE"},
        {"format", "ファイルの形式 (既定 ファイル名の拡張子から)", "pdf|png"},
        {"answers", "書くプリント: no 問題のみ (既定)、with 問題と答え、only 答えのみ", "no|with|only"},
        {"dpi", "PNGの解像度 10..600 (既定 150)", "N"},
        {"preview", "プレビュー画面と同じ 320 x 441 の答えつきプリントをPNGに書く"},
        {"print", "プリントを既定のプリンタで印刷する: 1枚1ジョブ、--answers のとおり (縦向き)"},
        {"printer", "印刷するプリンタの名前 (--print を含みます)", "NAME"},
    });
}

// The command line's own numbers (not the boxes, which keep the window's
// conversion) share one rule: spaces around the value are ignored, the rest
// is decimal digits within low..high.
std::optional<qulonglong> OptionNumber(const QCommandLineParser& parser, const char* name, qulonglong low,
                                       qulonglong high)
{
    const QString text = parser.value(name).trimmed();
    const bool digits = !text.isEmpty() &&
                        std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool ok = false;
    const qulonglong value = digits ? text.toULongLong(&ok) : 0;
    if (!ok || value < low || value > high) return std::nullopt;
    return value;
}

QString RangeError(const char* name, qulonglong low, qulonglong high)
{
    return QStringLiteral("--%1 には%2から%3までの数を指定してください").arg(name).arg(low).arg(high);
}

void ReadBoxes(const QCommandLineParser& parser, SheetsRequest& request)
{
    for (const BoxOption& box : kBoxOptions) {
        if (parser.isSet(box.name)) request.boxes.*box.field = parser.value(box.name).toStdString();
    }
    // b's denominator boxes follow a's unless given, as in the window.
    if (!parser.isSet("den-b-from")) request.boxes.edtBunbob1 = request.boxes.edtBunbof1;
    if (!parser.isSet("den-b-to")) request.boxes.edtBunbob2 = request.boxes.edtBunbof2;
}

// The radio groups and check boxes.
QString ReadChoices(const QCommandLineParser& parser, SettingsBoxes& boxes)
{
    if (parser.isSet("answer-kind")) {
        const auto kind = OptionNumber(parser, "answer-kind", 0, 5);
        if (!kind) return RangeError("answer-kind", 0, 5);
        boxes.rgAnswer = static_cast<int>(*kind);
    }
    if (parser.isSet("count")) {
        const auto count = OptionNumber(parser, "count", 16, 20);
        if (count != 16u && count != 20u) return "--count には16か20を指定してください";
        boxes.rgQNum = *count == 20 ? 1 : 0;
    }
    boxes.rgTuubun = parser.isSet("common-denominator") ? 1 : 0;
    boxes.rgBaisuu = parser.isSet("multiple") ? 1 : 0;
    boxes.rgYakubun = parser.isSet("reduce-operands") ? 1 : 0;
    return {};
}

// The seed, how many sets, and what standard output shows of them.
QString ReadRun(const QCommandLineParser& parser, SheetsRequest& request)
{
    if (parser.isSet("seed")) {
        const auto seed = OptionNumber(parser, "seed", 0, 0xFFFFFFFFu);
        if (!seed) return RangeError("seed", 0, 0xFFFFFFFFu);
        request.seed = static_cast<std::uint32_t>(*seed);
    }
    if (parser.isSet("sheets")) {
        const auto sheets = OptionNumber(parser, "sheets", 1, kMaxSheets);
        if (!sheets) return RangeError("sheets", 1, kMaxSheets);
        request.sheets = static_cast<int>(*sheets);
    }
    request.json = parser.isSet("json");
    if (parser.isSet("question")) request.question = parser.value("question").toStdString();
    return {};
}

OutputKind KindOfTarget(const QString& output)
{
    if (output.isEmpty()) return OutputKind::None;
    if (output == "-") return OutputKind::Stdout;
    // Writing under a temporary name and renaming would replace a device or
    // a FIFO; the file standard output already goes to must not be written
    // twice over.
    std::error_code error;
    if (std::filesystem::equivalent(output.toStdString(), "/dev/stdout", error)) return OutputKind::Stdout;
    const QFileInfo target(output);
    return target.exists() && !target.isFile() && !target.isDir() ? OutputKind::Stream : OutputKind::File;
}

// How many pages a run writes at most.
int MostPages(const SheetsRequest& request)
{
    const int perSet = !request.preview && request.answers == PrintCommand::ProblemsAndAnswers ? 2 : 1;
    return request.sheets * perSet;
}

// The file format: --format, or a file's ending, which must then be one of
// the two; a stream without --format takes a PDF.
QString ReadFormat(const QCommandLineParser& parser, SheetsRequest& request)
{
    const QString ending = QFileInfo(request.output).suffix().toLower();
    const bool knownEnding = ending == "pdf" || ending == "png";
    QString format = parser.value("format").toLower();
    if (parser.isSet("format")) {
        if (format != "pdf" && format != "png") return "--format には pdf か png を指定してください";
        if (request.outputKind == OutputKind::File && knownEnding && ending != format)
            return QStringLiteral("ファイル名 %1 は --format %2 と合いません").arg(request.output, format);
    } else if (request.outputKind == OutputKind::File) {
        if (!knownEnding)
            return QStringLiteral(
                       "ファイル名 %1 は .pdf か .png で終わるようにしてください"
                       "（ほかの名前には --format を指定してください）")
                .arg(request.output);
        format = ending;
    }
    request.png = format == "png";
    return {};
}

// -o, its format and resolution, and which sheets go to files and printer.
QString ReadOutput(const QCommandLineParser& parser, SheetsRequest& request)
{
    request.output = parser.value("output");
    if (parser.isSet("output") && request.output.isEmpty()) return "-o にはファイル名を指定してください";
    request.outputKind = KindOfTarget(request.output);
    request.preview = parser.isSet("preview");
    if (parser.isSet("answers")) {
        const QString a = parser.value("answers");
        if (a == "no")
            request.answers = PrintCommand::Problems;
        else if (a == "with")
            request.answers = PrintCommand::ProblemsAndAnswers;
        else if (a == "only")
            request.answers = PrintCommand::Answers;
        else
            return "--answers には no、with、only のどれかを指定してください";
    }
    if (request.outputKind == OutputKind::None) {
        if (request.preview || parser.isSet("format") || parser.isSet("dpi"))
            return "--preview、--format、--dpi には -o でファイル名を指定してください";
        return {};
    }
    if (QString error = ReadFormat(parser, request); !error.isEmpty()) return error;
    if (parser.isSet("dpi")) {
        const auto dpi = OptionNumber(parser, "dpi", kMinPngDpi, kMaxPngDpi);
        if (!dpi) return RangeError("dpi", kMinPngDpi, kMaxPngDpi);
        request.dpi = static_cast<int>(*dpi);
    }
    if (request.preview && !request.png) return "--preview はPNGにだけ書けます";
    // The preview is the answer sheet, as in the window; --answers chooses
    // only what is printed.
    if (request.preview && request.answers == PrintCommand::Problems && parser.isSet("answers") &&
        !request.print)
        return "--preview は答えつきのプリントを書きます。--answers no とは一緒に使えません";
    if (request.outputKind == OutputKind::Stdout && request.json)
        return "-o - と --json はどちらも標準出力に書くので、一緒に使えません";
    if (request.outputKind != OutputKind::File && request.png && MostPages(request) > 1)
        return QStringLiteral("%1 には PNG を1ページしか書けません")
            .arg(request.outputKind == OutputKind::Stdout ? QStringLiteral("標準出力") : request.output);
    return {};
}

QString ReadPrinter(const QCommandLineParser& parser, SheetsRequest& request)
{
    request.print = parser.isSet("print") || parser.isSet("printer");
    request.printer = parser.value("printer");
    if (parser.isSet("printer") && request.printer.isEmpty())
        return "--printer にはプリンタの名前を指定してください";
    return {};
}

QString ReadRequest(const QCommandLineParser& parser, SheetsRequest& request)
{
    ReadBoxes(parser, request);
    if (QString error = ReadChoices(parser, request.boxes); !error.isEmpty()) return error;
    if (QString error = ReadRun(parser, request); !error.isEmpty()) return error;
    if (QString error = ReadPrinter(parser, request); !error.isEmpty()) return error;
    return ReadOutput(parser, request);  // after the printer: --preview --answers no depends on it
}

}  // namespace

QString RefusalMessage(const SheetsRequest& request, const std::string& message)
{
    for (const BoxOption& box : kBoxOptions) {
        if (!ParseBoxInteger(request.boxes.*box.field))
            return QStringLiteral("--%1: %2").arg(box.name, QString::fromStdString(message));
    }
    return QString::fromStdString(message);
}

ParsedArguments ReadSheetsArguments(const QStringList& arguments)
{
    ParsedArguments parsed;
    parsed.parser = std::make_unique<QCommandLineParser>();
    QCommandLineParser& parser = *parsed.parser;
    AddOptions(parser);
    if (!parser.parse(arguments)) {
        parsed.error = parser.errorText();
    } else if (parser.isSet("help") || parser.isSet("help-all")) {
        parsed.help = true;
    } else if (!parser.positionalArguments().isEmpty()) {
        parsed.error = "余分な引数があります: " + parser.positionalArguments().join(' ');
    } else {
        parsed.error = ReadRequest(parser, parsed.request);
    }
    return parsed;
}

}  // namespace tavrimo
