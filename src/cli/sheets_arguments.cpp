#include "cli/sheets_arguments.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <filesystem>
#include <system_error>
#include <vector>

#include "problems/box_integer.h"
#include "problems/setting_descriptions.h"
#include "problems/setting_pairs.h"
#include "problems/settings_reader.h"

namespace tavrimo {
namespace {

QString Q(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The command line's own options, beside the settings: what to write and where.
struct RunOption {
    QStringList names;
    const char* valueName;  // nullptr: a flag
    const char* help;
};

const RunOption kRunOptions[] = {
    {{"json"}, nullptr, "JSONで出力"},
    {{"o", "output"},
     "FILE",
     "プリントをファイルに書く: FILE.pdf (A4縦、1枚1ページ) または FILE.png。"
     "- は標準出力、デバイスなど通常のファイルでないものにはそのまま書きます"},
    {{"format"}, "pdf|png", "ファイルの形式 (既定 ファイル名の拡張子から)"},
    {{"answers"}, "no|with|only", "書くプリント: no 問題のみ (既定)、with 問題と答え、only 答えのみ"},
    {{"dpi"}, "N", "PNGの解像度 10..600 (既定 150)"},
    {{"preview"}, nullptr, "プレビュー画面と同じ 320 x 441 の答えつきプリントをPNGに書く"},
    {{"print"}, nullptr, "プリントを既定のプリンタで印刷する (縦向き、--answers のとおり)"},
    {{"printer"}, "NAME", "印刷するプリンタの名前 (--print を含みます)"},
    {{"h", "?", "help", "help-all"}, nullptr, "この説明を表示する"},
};

constexpr const char* kDescription =
    "帯分数の引き算の問題を作ります。設定は画面の入力欄と同じ文字で指定します。\n"
    "終了コード: 0 すべて作成、1 問題数が確保できなかった、"
    "2 入力の誤り、またはファイル・標準出力・プリンタに書けなかった。";

QString ValueName(const SettingDescription& d)
{
    switch (d.kind) {
        case SettingKind::BoxText: return "TXT";
        case SettingKind::Text: return "TEXT";
        case SettingKind::Flag: return {};
        case SettingKind::Number: return "N";
        case SettingKind::Choice: {
            QStringList values;
            for (const SettingItem& item : d.items) values << Q(item.value);
            return values.join('|');
        }
    }
    return {};
}

QString SettingHelp(const SettingDescription& d)
{
    switch (d.kind) {
        case SettingKind::BoxText:
            if (!d.follows.empty())
                return QStringLiteral("%1 (既定 %2と同じ)")
                    .arg(Q(d.label), Q(FindSettingByName(d.follows)->label));
            return QStringLiteral("%1 (既定 %2)").arg(Q(d.label), Q(DefaultText(d)));
        case SettingKind::Text:
            return QStringLiteral("%1 (既定「%2」、%3文字まで)")
                .arg(Q(d.label), Q(DefaultText(d)))
                .arg(d.maxLength);
        case SettingKind::Flag: return Q(d.help.empty() ? d.label : d.help);
        case SettingKind::Choice: {
            QStringList items;
            for (const SettingItem& item : d.items) items << Q(item.text) + ' ' + Q(item.value);
            return QStringLiteral("%1: %2 (既定 %3)")
                .arg(Q(d.label), items.join(", "),
                     Q(d.items[static_cast<std::size_t>(DefaultValue(d))].value));
        }
        case SettingKind::Number: {
            if (!d.help.empty()) return Q(d.help);
            const QString initial =
                d.off && DefaultValue(d) == *d.off ? Q(d.offText) : QString::number(DefaultValue(d));
            return QStringLiteral("%1 %2..%3%4: %5 (既定 %6)")
                .arg(Q(d.label))
                .arg(d.low)
                .arg(d.commandLineHigh > 0 ? d.commandLineHigh : d.high)
                .arg(Q(d.unit), Q(d.hint), initial);
        }
    }
    return {};
}

QString OptionName(const SettingDescription& d)
{
    return Q(d.name);
}

void AddOptions(QCommandLineParser& parser)
{
    for (const SettingDescription& d : SettingDescriptions()) {
        QCommandLineOption option(OptionName(d), SettingHelp(d));
        if (d.kind != SettingKind::Flag) option.setValueName(ValueName(d));
        parser.addOption(option);
    }
    for (const RunOption& run : kRunOptions) {
        QCommandLineOption option(run.names, QString::fromUtf8(run.help));
        if (run.valueName != nullptr) option.setValueName(QString::fromUtf8(run.valueName));
        parser.addOption(option);
    }
}

QString Dashed(const QString& name)
{
    return (name.size() == 1 ? "-" : "--") + name;
}

// QCommandLineParser words its errors in English; the ones a user can make
// are said again in Japanese.
QString ParseError(const QCommandLineParser& parser)
{
    if (!parser.unknownOptionNames().isEmpty()) {
        return QStringLiteral("%1 というオプションはありません (--help で一覧を表示します)")
            .arg(Dashed(parser.unknownOptionNames().first()));
    }
    static const QRegularExpression missing(QStringLiteral("^Missing value after '(.+)'\\.$"));
    static const QRegularExpression unexpected(QStringLiteral("^Unexpected value after '(.+)'\\.$"));
    if (const auto m = missing.match(parser.errorText()); m.hasMatch())
        return QStringLiteral("%1 には値を指定してください").arg(m.captured(1));
    if (const auto m = unexpected.match(parser.errorText()); m.hasMatch())
        return QStringLiteral("%1 は値をとりません").arg(m.captured(1));
    return QStringLiteral("引数を読めません (%1)").arg(parser.errorText());
}

QString Refusal(std::string_view name, const std::string& message)
{
    return QStringLiteral("--%1: %2").arg(Q(name), Q(WithClosingPeriod(message)));
}

// The settings, by the rule a link's parameters are read by, then the boxes
// as the window reads them, so that a bad value is refused before anything
// is made and its option is named.
QString ReadSettingOptions(const QCommandLineParser& parser, SheetsRequest& request)
{
    std::vector<SettingPair> pairs;
    for (const SettingDescription& d : SettingDescriptions()) {
        if (!parser.isSet(OptionName(d))) continue;
        const std::string value =
            d.kind == SettingKind::Flag ? "" : parser.value(OptionName(d)).toStdString();
        pairs.push_back({std::string(d.name), value});
    }
    const SettingsFromPairs read = ReadSettingPairs(pairs, PairSource::CommandLine);
    if (read.refusal) return Refusal(read.refusal->name, read.refusal->message);
    request.boxes = read.boxes;
    request.seed = read.seed;
    // A run makes its sets one preview at a time, so it takes more of them
    // than a class set holds.
    request.sheets = request.boxes.sheets;
    request.boxes.sheets = 1;
    const SettingsReading reading = ReadSettings(request.boxes);
    if (!reading.settings) return Refusal(reading.errorName, reading.error);
    request.json = parser.isSet("json");
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
        if (format != "pdf" && format != "png") return "--format: pdf か png を指定してください";
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
            return "--answers: no、with、only のどれかを指定してください";
    }
    if (request.outputKind == OutputKind::None) {
        if (request.preview || parser.isSet("format") || parser.isSet("dpi"))
            return "--preview、--format、--dpi には -o でファイル名を指定してください";
        return {};
    }
    if (QString error = ReadFormat(parser, request); !error.isEmpty()) return error;
    if (parser.isSet("dpi")) {
        const auto dpi = DecimalNumber(parser.value("dpi").toStdString());
        if (!dpi || *dpi < kMinPngDpi || *dpi > kMaxPngDpi)
            return QStringLiteral("--dpi: %1から%2までの数を指定してください")
                .arg(kMinPngDpi)
                .arg(kMaxPngDpi);
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
    if (QString error = ReadSettingOptions(parser, request); !error.isEmpty()) return error;
    if (QString error = ReadPrinter(parser, request); !error.isEmpty()) return error;
    return ReadOutput(parser, request);  // after the printer: --preview --answers no depends on it
}

}  // namespace

QString SheetsHelpText()
{
    struct Line {
        QString names, help;
    };
    std::vector<Line> lines;
    const auto add = [&](const QStringList& names, const QString& valueName, const QString& help) {
        QStringList dashed;
        for (const QString& name : names) dashed << Dashed(name);
        lines.push_back({dashed.join(", ") + (valueName.isEmpty() ? "" : " <" + valueName + ">"), help});
    };
    for (const SettingDescription& d : SettingDescriptions())
        add({OptionName(d)}, ValueName(d), SettingHelp(d));
    for (const RunOption& run : kRunOptions)
        add(run.names, QString::fromUtf8(run.valueName != nullptr ? run.valueName : ""),
            QString::fromUtf8(run.help));

    qsizetype width = 0;
    for (const Line& line : lines) width = std::max(width, line.names.size());
    QString text = QStringLiteral("使い方: tavrimo-sheets [オプション]\n%1\n\nオプション:\n")
                       .arg(QString::fromUtf8(kDescription));
    for (const Line& line : lines) text += "  " + line.names.leftJustified(width + 2) + line.help + '\n';
    return text;
}

ParsedArguments ReadSheetsArguments(const QStringList& arguments)
{
    ParsedArguments parsed;
    QCommandLineParser parser;
    AddOptions(parser);
    if (!parser.parse(arguments)) {
        parsed.error = ParseError(parser);
    } else if (parser.isSet("help")) {
        parsed.help = true;
    } else if (!parser.positionalArguments().isEmpty()) {
        parsed.error = "余分な引数があります: " + parser.positionalArguments().join(' ');
    } else {
        parsed.error = ReadRequest(parser, parsed.request);
    }
    return parsed;
}

}  // namespace tavrimo
