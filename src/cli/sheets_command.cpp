#include "cli/sheets_command.h"

#include <QFileDevice>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinterInfo>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "cli/progress.h"
#include "cli/set_report.h"
#include "problems/box_integer.h"
#include "runtime/qt/cups_queue.h"
#include "runtime/qt/qpainter_canvas.h"
#include "runtime/qt/qt_sheet_printer.h"
#include "runtime/random_source.h"
#include "session/print_sequence.h"
#include "session/worksheet_session.h"

namespace tavrimo {
namespace {
QString StdoutError(const QIODevice& out)
{
    return QStringLiteral("標準出力に書き込めません（%1）").arg(out.errorString());
}

std::vector<Sheet> SheetsOfSets(const std::vector<MadeSet>& sets)
{
    std::vector<Sheet> sheets;
    for (const MadeSet& set : sets) sheets.push_back(set.sheet);
    return sheets;
}

// The pages the print buttons would print of the sets, in their order, every
// page of every sheet; with preview, each set's preview (its answer sheet's
// first page).
std::vector<SheetPage> PagesOf(const std::vector<MadeSet>& sets, const SheetsRequest& request)
{
    const SheetLook look = LookOf(request.boxes);
    std::vector<SheetPage> pages;
    if (request.preview) {
        for (const MadeSet& set : sets)
            pages.push_back({SheetsOf(PrintCommand::Answers, set.sheet, look).front(), 0});
        return pages;
    }
    for (PlannedJob& job : PlanJobs(request.answers, SheetsOfSets(sets), look)) {
        for (SheetPage& page : job.pages) pages.push_back(std::move(page));
    }
    return pages;
}

// Stacks put every problem sheet before the first answer sheet, so such a
// run's pages wait for its last set; sheet by sheet, each set's pages go
// out as it is made.
bool WaitsForAllSets(const SheetsRequest& request)
{
    return !request.preview && request.sheets > 1 && request.boxes.collate == 1 &&
           request.answers == PrintCommand::ProblemsAndAnswers;
}

OpenedWriter OpenFiles(const SheetsRequest& request, QIODevice& out, QFile& stream)
{
    PageRenderer render = RenderPreviewImage;
    if (!request.preview)
        render = [dpi = request.dpi](const SheetPage& page) { return RenderSheetImage(page, dpi); };
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

// The settings a run was asked for, its whole count of sets included.
SettingsBoxes Echoed(const SheetsRequest& request)
{
    SettingsBoxes boxes = request.boxes;
    boxes.sheets = request.sheets;
    return boxes;
}

QString FaultMessage(const QtSheetPrinter& printer, PrinterFault fault)
{
    return QString::fromStdString(WithClosingPeriod(PrinterFaultMessage(fault, printer.FaultDetail())));
}

// The printer, checked before anything is made, so that a missing one
// leaves no file behind.
QString PreparePrinter(QtSheetPrinter& printer, const QString& name)
{
    if (!name.isEmpty()) {
        if (QPrinterInfo::printerInfo(name).isNull()) {
            if (!SpoolerAnswers())
                return QString::fromUtf8(PrinterFaultMessage(PrinterFault::SpoolerUnreachable)) + '.';
            return QString("プリンタ「%1」が見つかりません").arg(name);
        }
        printer.device().setPrinterName(name);
    }
    if (const PrinterFault fault = printer.SetPortrait(); fault != PrinterFault::None)
        return FaultMessage(printer, fault);
    return {};
}

QString PrintSets(QtSheetPrinter& printer, const std::vector<MadeSet>& sets, const SheetsRequest& request)
{
    const auto jobs = PlanJobs(request.answers, SheetsOfSets(sets), LookOf(request.boxes));
    if (const PrinterFault fault = PrintJobs(printer, jobs); fault != PrinterFault::None)
        return FaultMessage(printer, fault);
    return {};
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
        if (request_.NeedsFonts()) WarnOfALongQuestion();
        const int made = MakeSets();
        const bool done = made != kExitFailed && (stacked_.empty() || AddPages(stacked_)) &&
                          (!files_ || Check(files_->Finish())) && (!printer_ || PrintAndReport()) &&
                          (report_.Finish() || StdoutFailed()) && (!files_ || Check(files_->Commit()));
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

    // The sheets are still made: the warning says their sentence is cut.
    void WarnOfALongQuestion()
    {
        QImage measure(1, 1, QImage::Format_RGB32);
        QPainter painter(&measure);
        QPainterCanvas canvas(painter);
        if (!session_.QuestionFits(canvas, request_.boxes.QstSentence))
            console_.err << QString::fromUtf8(kQuestionTooWide) << Qt::endl;
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
            if (outcome.status ==
                AssemblyStatus::Refused) {  // the arguments were checked: not met in practice
                Check(QString::fromStdString(outcome.message));
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
        if (files_ && WaitsForAllSets(request_)) {
            stacked_.push_back(set);
        } else if (files_ && !AddPages({set})) {
            return false;
        }
        if (printer_) {
            printed_.push_back(set);
            return true;
        }
        return report_.Add(set) || StdoutFailed();
    }

    bool AddPages(const std::vector<MadeSet>& sets)
    {
        for (const SheetPage& page : PagesOf(sets, request_)) {
            if (!Check(files_->Add(page))) return false;
        }
        return true;
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
                      request_.sheets > 1, request_.outputKind == OutputKind::Stdout, Echoed(request_)};
    QFile stream_{request_.output};
    std::unique_ptr<SheetFileWriter> files_;  // after stream_, which it may write to
    std::optional<QtSheetPrinter> printer_;
    std::vector<MadeSet> printed_;
    std::vector<MadeSet> stacked_;  // the sets whose pages wait for the run's last set
};

}  // namespace

int RunSheetsCommand(const ParsedArguments& parsed, Console console)
{
    if (!parsed.error.isEmpty()) {
        console.err << parsed.error << Qt::endl;
        return kExitFailed;
    }
    if (parsed.help) {
        if (!WriteOut(console.out, SheetsHelpText().toUtf8()) || !Flushed(console.out)) {
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
