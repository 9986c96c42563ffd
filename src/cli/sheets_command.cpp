#include "cli/sheets_command.h"

#include <QFileDevice>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPrinterInfo>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "cli/progress.h"
#include "problems/box_integer.h"
#include "problems/problem_text.h"
#include "runtime/qt/qt_sheet_printer.h"
#include "runtime/random_source.h"
#include "session/print_sequence.h"
#include "session/worksheet_session.h"

namespace tavrimo {
namespace {

// One box of the settings panel and its option, in the order the window
// reads the boxes, so the first box that holds no integer is the one the
// reading stopped at.
struct BoxOption {
    const char* name;
    std::string SettingsBoxes::*field;
    const char* description;
};

const BoxOption kBoxOptions[] = {
    {"number", &SettingsBoxes::PrnNum, "プリント番号 (既定 1)"},
    {"whole-a-from", &SettingsBoxes::edtIntf1, "aの整数部分の下限 (既定 0)"},
    {"whole-a-to", &SettingsBoxes::edtIntf2, "aの整数部分の上限 (既定 0)"},
    {"whole-b-from", &SettingsBoxes::edtIntb1, "bの整数部分の下限 (既定 0)"},
    {"whole-b-to", &SettingsBoxes::edtIntb2, "bの整数部分の上限 (既定 0)"},
    {"den-a-from", &SettingsBoxes::edtBunbof1, "aの分母の下限 (既定 2)"},
    {"den-a-to", &SettingsBoxes::edtBunbof2, "aの分母の上限 (既定 99)"},
    {"den-b-from", &SettingsBoxes::edtBunbob1, "bの分母の下限 (既定 aの分母の下限)"},
    {"den-b-to", &SettingsBoxes::edtBunbob2, "bの分母の上限 (既定 aの分母の上限)"},
};

constexpr int kMaxSheets = 10000;

void AddOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        "帯分数の引き算の問題を作ります。設定は画面の入力欄と同じ文字で指定します。\n"
        "終了コード: 0 すべて作成、1 問題数が確保できなかった、"
        "2 入力の誤り、またはファイル・標準出力・プリンタに書けなかった。");
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
    const int perSet = !request.preview && request.answers == AnswerSheets::With ? 2 : 1;
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
            request.answers = AnswerSheets::No;
        else if (a == "with")
            request.answers = AnswerSheets::With;
        else if (a == "only")
            request.answers = AnswerSheets::Only;
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
    if (request.preview && request.answers == AnswerSheets::No && parser.isSet("answers") && !request.print)
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

// One set as one click of the preview button leaves it, with its answers.
struct MadeSet {
    std::uint32_t seed = 0;
    std::uint32_t nextSeed = 0;
    bool complete = false;
    Sheet sheet;
};

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

bool WriteOut(QIODevice& out, const QByteArray& bytes)
{
    return out.write(bytes) == bytes.size();
}

// A buffered file reports a failed write only when flushed.
bool Flushed(QIODevice& out)
{
    auto* file = qobject_cast<QFileDevice*>(&out);
    return file == nullptr || file->flush();
}

// The sets on standard output as they are made, as text or as one JSON
// array written an element at a time, so memory does not grow with the run.
class SetReport {
public:
    SetReport(QIODevice& out, bool json, bool numbered, bool silent)
        : out_(out), json_(json), numbered_(numbered), silent_(silent)
    {
    }

    bool Add(const MadeSet& set)
    {
        if (silent_) return true;
        if (!json_) return WriteOut(out_, Text(set));
        // Each element laid out as QJsonDocument lays out an array's.
        QByteArray element = QJsonDocument(ToJson(set)).toJson(QJsonDocument::Indented);
        element.chop(1);
        element.replace("\n", "\n    ");
        return WriteOut(out_, (sets_++ == 0 ? "[\n    " : ",\n    ") + element);
    }

    bool Finish()
    {
        if (json_ && sets_ > 0 && !WriteOut(out_, "\n]\n")) return false;
        return Flushed(out_);
    }

private:
    QByteArray Text(const MadeSet& set) const
    {
        QString text;
        if (numbered_) text += QStringLiteral("問題No.%1\n").arg(set.sheet.PrintNumber);
        for (int i = 1; i <= set.sheet.QuestionCount; ++i)
            text += QStringLiteral("%1: %2\n")
                        .arg(i)
                        .arg(QString::fromStdString(ProblemLine(set.sheet.table, i)));
        return text.toUtf8();
    }

    QIODevice& out_;
    bool json_;
    bool numbered_;
    bool silent_;
    int sets_ = 0;
};

QString StdoutError(const QIODevice& out)
{
    return QStringLiteral("標準出力に書き込めません（%1）").arg(out.errorString());
}

// The pages the print buttons would print for a set, in order; with
// preview, the preview's answer sheet.
std::vector<Sheet> PagesOf(const MadeSet& set, const SheetsRequest& request, bool preview)
{
    auto page = [&](bool answers) {
        Sheet sheet = set.sheet;
        sheet.ShowAnswers = answers;
        sheet.QuestionText = request.question;
        return sheet;
    };
    if (preview) return {page(true)};
    std::vector<Sheet> pages;
    if (request.answers != AnswerSheets::Only) pages.push_back(page(false));
    if (request.answers != AnswerSheets::No) pages.push_back(page(true));
    return pages;
}

OpenedWriter OpenFiles(const SheetsRequest& request, QIODevice& out, QFile& stream)
{
    PageRenderer render = RenderPreviewImage;
    if (!request.preview)
        render = [dpi = request.dpi](const Sheet& page) { return RenderSheetImage(page, dpi); };
    if (request.outputKind == OutputKind::File)
        return request.png ? OpenPngFiles(request.output, render) : OpenPdfFile(request.output);

    QIODevice* device = &out;
    QString name;  // standard output
    if (request.outputKind == OutputKind::Stream) {
        if (!stream.open(QIODevice::WriteOnly))
            return {nullptr, QStringLiteral("ファイル %1 を書き込めません（%2）")
                                 .arg(request.output, stream.errorString())};
        device = &stream;
        name = request.output;
    }
    return request.png ? OpenPngStream(*device, name, render) : OpenPdfStream(*device, name);
}

// The printer, checked before anything is made, so that a missing one
// leaves no file behind.
QString PreparePrinter(QtSheetPrinter& printer, const QString& name)
{
    if (!name.isEmpty()) {
        if (QPrinterInfo::printerInfo(name).isNull())
            return QString("プリンタ「%1」が見つかりません").arg(name);
        printer.device().setPrinterName(name);
    }
    if (const PrinterFault fault = printer.SetPortrait(); fault != PrinterFault::None)
        return QString::fromStdString(WithClosingPeriod(std::string(PrinterFaultMessage(fault))));
    return {};
}

QString PrintSets(QtSheetPrinter& printer, const std::vector<MadeSet>& sets, const SheetsRequest& request)
{
    std::vector<Sheet> pages;
    for (const MadeSet& set : sets) {
        for (Sheet& page : PagesOf(set, request, false)) pages.push_back(std::move(page));
    }
    if (const PrinterFault fault = PrintSheets(printer, pages); fault != PrinterFault::None)
        return QString::fromStdString(WithClosingPeriod(std::string(PrinterFaultMessage(fault))));
    return {};
}

// A refusal names the option whose box holds no integer.
QString RefusalMessage(const SheetsRequest& request, const std::string& message)
{
    for (const BoxOption& box : kBoxOptions) {
        if (!ParseBoxInteger(request.boxes.*box.field))
            return QStringLiteral("--%1: %2").arg(box.name, QString::fromStdString(message));
    }
    return QString::fromStdString(message);
}

// One run of the request. Each set is made as one preview, followed by what
// printing it does to the number, and handed at once to standard output and
// the file writer. Files are put in place only at the end, after the printer
// took every job; with a printer the sets are kept for it, and standard output
// shows them once they were printed, so a failing printer makes nothing.
class SheetsRun {
public:
    SheetsRun(const SheetsRequest& request, Console console) : request_(request), console_(console) {}

    int Run()
    {
        if (request_.print) {
            printer_.emplace();
            if (!Check(PreparePrinter(*printer_, request_.printer))) return kExitFailed;
        }
        if (request_.outputKind != OutputKind::None) {
            OpenedWriter opened = OpenFiles(request_, console_.out, stream_);
            if (!Check(opened.error)) return kExitFailed;
            files_ = std::move(opened.writer);
        }
        SeedSession();
        const int made = MakeSets();
        const bool done = made != kExitFailed && (!files_ || Check(files_->Finish())) &&
                          (!printer_ || PrintAndReport()) && (report_.Finish() || StdoutFailed()) &&
                          (!files_ || Check(files_->Commit()));
        return done ? made : kExitFailed;
    }

private:
    void SeedSession()
    {
        if (request_.seed) {
            session_.source().setSeed(*request_.seed);
        } else {
            Randomize(session_.source());
            console_.err << "乱数の種 (--seed): " << session_.source().seed() << Qt::endl;
        }
    }

    // kExitComplete, kExitShort (the warning given), or kExitFailed.
    int MakeSets()
    {
        SettingsBoxes boxes = request_.boxes;
        Progress progress(console_.err, request_.sheets, console_.terminal);
        for (int k = 0; k < request_.sheets; ++k) {
            MadeSet set;
            set.seed = session_.source().seed();
            const PreviewOutcome outcome = session_.Preview(boxes);
            if (outcome.status == AssemblyStatus::Refused) {
                Check(RefusalMessage(request_, outcome.message));
                return kExitFailed;
            }
            set.nextSeed = session_.source().seed();
            set.complete = outcome.status == AssemblyStatus::Complete;
            set.sheet.table = session_.AnsweredTable();
            set.sheet.QuestionCount = session_.QuestionCount();
            set.sheet.PrintNumber = session_.PrintNumber();
            if (!Deliver(set)) {
                progress.Finish();
                return kExitFailed;
            }
            progress.Update(k + 1);
            if (!set.complete) {
                progress.Finish();
                console_.err << QString::fromStdString(outcome.message) << Qt::endl;
                return kExitShort;
            }
            session_.AdvancePrintNumber();
            boxes.PrnNum = std::to_string(session_.PrintNumber());
        }
        progress.Finish();
        return kExitComplete;
    }

    bool Deliver(const MadeSet& set)
    {
        if (files_) {
            for (const Sheet& page : PagesOf(set, request_, request_.preview)) {
                if (!Check(files_->Add(page))) return false;
            }
        }
        if (printer_) {
            printed_.push_back(set);
            return true;
        }
        return report_.Add(set) || StdoutFailed();
    }

    bool PrintAndReport()
    {
        if (!Check(PrintSets(*printer_, printed_, request_))) return false;
        for (const MadeSet& set : printed_) {
            if (!report_.Add(set)) return StdoutFailed();
        }
        return true;
    }

    // Reports a failure; true when there was none.
    bool Check(const QString& error)
    {
        if (error.isEmpty()) return true;
        console_.err << error << Qt::endl;
        return false;
    }

    bool StdoutFailed() { return Check(StdoutError(console_.out)); }

    const SheetsRequest& request_;
    Console console_;
    WorksheetSession session_;
    // With -o -, the sheets themselves go to standard output instead.
    SetReport report_{console_.out, request_.json&& request_.outputKind != OutputKind::Stdout,
                      request_.sheets > 1, request_.outputKind == OutputKind::Stdout};
    QFile stream_{request_.output};
    std::unique_ptr<SheetFileWriter> files_;  // after stream_, which it may write to
    std::optional<QtSheetPrinter> printer_;
    std::vector<MadeSet> printed_;
};

}  // namespace

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

int RunSheetsCommand(const ParsedArguments& parsed, Console console)
{
    if (!parsed.error.isEmpty()) {
        console.err << parsed.error << Qt::endl;
        return kExitFailed;
    }
    if (parsed.help) {
        if (!WriteOut(console.out, parsed.parser->helpText().toUtf8()) || !Flushed(console.out)) {
            console.err << StdoutError(console.out) << Qt::endl;
            return kExitFailed;
        }
        return kExitComplete;
    }
    return SheetsRun(parsed.request, console).Run();
}

int RunSheetsCommand(const QStringList& arguments, QIODevice& out, QTextStream& err)
{
    return RunSheetsCommand(ReadSheetsArguments(arguments), Console{out, err, false});
}

}  // namespace tavrimo
