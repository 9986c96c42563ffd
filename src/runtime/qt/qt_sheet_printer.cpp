#include "runtime/qt/qt_sheet_printer.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QTabWidget>
#include <initializer_list>
#include <utility>

#include "runtime/qt/cups_queue.h"
#include "runtime/qt/job_files.h"

namespace tavrimo {
namespace {

// Where Qt's CUPS printing keeps the job options of the dialog's Properties.
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// A printer with the choices the dialog shows and the jobs use.
std::unique_ptr<QPrinter> CopyOf(QPrinter& printer)
{
    auto copy = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        copy->setOutputFormat(QPrinter::PdfFormat);
        copy->setOutputFileName(printer.outputFileName());
    } else {
        copy->setPrinterName(printer.printerName());
    }
    copy->setPageLayout(printer.pageLayout());
    copy->setCopyCount(printer.copyCount());
    copy->setCollateCopies(printer.collateCopies());
    copy->setDuplex(printer.duplex());
    copy->setColorMode(printer.colorMode());
    copy->setPageOrder(printer.pageOrder());
    const QVariant options = printer.printEngine()->property(kCupsOptions);
    if (options.isValid()) copy->printEngine()->setProperty(kCupsOptions, options);
    return copy;
}

using Texts = std::initializer_list<std::pair<const char*, QString>>;

// Gives the widgets under root of the given names their texts: a group box
// its title, a button or label its text, a tab page its tab's text.
void Relabel(QWidget& root, Texts texts)
{
    const QList<QTabWidget*> tabs = root.findChildren<QTabWidget*>();
    for (const auto& [name, text] : texts) {
        QWidget* widget = root.findChild<QWidget*>(QString::fromLatin1(name));
        if (auto* group = qobject_cast<QGroupBox*>(widget)) group->setTitle(text);
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(text);
        if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(text);
        for (QTabWidget* tab : tabs) {
            if (const int index = tab->indexOf(widget); index >= 0) tab->setTabText(index, text);
        }
    }
}

// Qt's print dialog as a setup dialog: it prints nothing, and the jobs are
// single pages, so no page range, page set or current page. The names are
// those of the widgets inside Qt's dialog.
class PrinterSetupDialog final : public QPrintDialog {
public:
    PrinterSetupDialog(QPrinter* printer, bool toFile, QWidget* parent)
        : QPrintDialog(printer, parent), toFile_(toFile)
    {
        setWindowTitle(QStringLiteral("印刷設定"));
        setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
        if (auto* buttons = findChild<QDialogButtonBox*>()) {
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
        }
        // Labels the Japanese translation leaves in English.
        Relabel(*this, {
                           {"duplex", QStringLiteral("両面印刷")},
                           {"noDuplex", QStringLiteral("しない")},
                           {"duplexLong", QStringLiteral("長辺綴じ")},
                           {"duplexShort", QStringLiteral("短辺綴じ")},
                       });
    }

    void setVisible(bool visible) override
    {
        QPrintDialog::setVisible(visible);
        if (!visible) return;
        // Showing the dialog shows the page range again (with CUPS Qt always
        // offers it), and adds the file entry last without choosing it even
        // when the printer writes a file.
        if (QWidget* range = findChild<QWidget*>(QStringLiteral("gbPrintRange"))) range->hide();
        auto* printers = findChild<QComboBox*>(QStringLiteral("printers"));
        if (toFile_ && printers != nullptr) printers->setCurrentIndex(printers->count() - 1);
    }

protected:
    bool event(QEvent* event) override
    {
        // The printer's properties dialog (プロパティ), made anew for each
        // printer chosen, is polished before it first shows.
        if (event->type() == QEvent::ChildPolished) {
            if (auto* properties = qobject_cast<QDialog*>(static_cast<QChildEvent*>(event)->child())) {
                Relabel(*properties,
                        {
                            {"cupsPropertiesPage", QStringLiteral("プリンタのオプション")},
                            {"conflictsLabel",
                             QStringLiteral("競合しているオプションがあります。修正してください。")},
                        });
            }
        }
        return QPrintDialog::event(event);
    }

private:
    bool toFile_;
};

}  // namespace

QtSheetPrinter::QtSheetPrinter() = default;

QtSheetPrinter::~QtSheetPrinter()
{
    // A job can only be open here if a command was cut short; finish it.
    canvas_.reset();
    if (painter_.isActive()) painter_.end();
}

QPrinter& QtSheetPrinter::device()
{
    if (printer_ == nullptr) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

bool QtSheetPrinter::PrintsToFile()
{
    QPrinter& printer = device();
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

PrinterFault QtSheetPrinter::Fault(PrinterFault fault, const QString& target, const QString& reason)
{
    detail_ = {target.toStdString(), reason.toStdString()};
    return fault;
}

PrinterFault QtSheetPrinter::FileFault(const QString& path, const QString& reason)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir())
        return Fault(PrinterFault::FolderMissing, QDir::toNativeSeparators(folder));
    return Fault(PrinterFault::FileNotWritten, QDir::toNativeSeparators(path), reason);
}

PrinterFault QtSheetPrinter::CheckPrinter()
{
    detail_ = {};
    if (PrintsToFile()) return PrinterFault::None;
    QPrinter& printer = device();
    // With no printer installed Qt falls back to PDF output without a file;
    // it does the same when the spooler does not answer.
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName().isEmpty()) {
        return SpoolerAnswers() ? PrinterFault::NoDefaultPrinter : PrinterFault::SpoolerUnreachable;
    }
    if (const QString refusal = QueueRefusal(printer.printerName()); !refusal.isEmpty()) {
        return Fault(PrinterFault::Refused, printer.printerName(), refusal);
    }
    if (!printer.isValid() || QPrinterInfo::printerInfo(printer.printerName()).isNull()) {
        return PrinterFault::UnsupportedFeature;
    }
    return PrinterFault::None;
}

PrinterFault QtSheetPrinter::SetPortrait()
{
    if (painter_.isActive()) return Fault(PrinterFault::AlreadyPrinting);
    if (const PrinterFault fault = CheckPrinter(); fault != PrinterFault::None) return fault;
    device().setPageOrientation(QPageLayout::Portrait);
    return PrinterFault::None;
}

std::int32_t QtSheetPrinter::PageWidth()
{
    QPrinter& printer = device();
    return printer.pageLayout().paintRectPixels(printer.resolution()).width();
}

std::int32_t QtSheetPrinter::PageHeight()
{
    QPrinter& printer = device();
    return printer.pageLayout().paintRectPixels(printer.resolution()).height();
}

PrinterFault QtSheetPrinter::BeginJob(const PrintJob& job)
{
    if (painter_.isActive()) return Fault(PrinterFault::AlreadyPrinting);
    if (const PrinterFault fault = CheckPrinter(); fault != PrinterFault::None) return fault;
    if (PrintsToFile()) return BeginFileJob(job);

    QPrinter& printer = device();
    printer.setDocName(QString::fromStdString(job.title));
    printer.setCreator(QStringLiteral("Tavrimo"));
    if (!painter_.begin(&printer)) return Fault(PrinterFault::NotReady);
    canvas_.emplace(painter_);
    return PrinterFault::None;
}

PrinterFault QtSheetPrinter::BeginFileJob(const PrintJob& job)
{
    const QPrinter& printer = device();
    const QString path = JobFilePath(printer.outputFileName(), job.sheetNumber, job.answerSheet);
    if (!QFileInfo(QFileInfo(path).absolutePath()).isDir()) return FileFault(path, {});
    pdf_.clear();
    buffer_ = std::make_unique<QBuffer>(&pdf_);
    buffer_->open(QIODevice::WriteOnly);
    // The printer's page and resolution, so the page read before the job fits.
    writer_ = std::make_unique<QPdfWriter>(buffer_.get());
    writer_->setPageLayout(printer.pageLayout());
    writer_->setResolution(printer.resolution());
    writer_->setTitle(QString::fromStdString(job.title));
    writer_->setCreator(QStringLiteral("Tavrimo"));
    if (!painter_.begin(writer_.get())) {
        writer_.reset();
        buffer_.reset();
        return Fault(PrinterFault::NotReady);
    }
    jobFile_ = path;
    canvas_.emplace(painter_);
    return PrinterFault::None;
}

Canvas& QtSheetPrinter::JobCanvas()
{
    return *canvas_;
}

PrinterFault QtSheetPrinter::NewPage()
{
    if (!painter_.isActive()) return Fault(PrinterFault::NotReady);
    const bool added = writer_ != nullptr ? writer_->newPage() : device().newPage();
    return added ? PrinterFault::None : Fault(PrinterFault::NotReady);
}

PrinterFault QtSheetPrinter::EndJob()
{
    if (!painter_.isActive()) return Fault(PrinterFault::NotReady);
    canvas_.reset();
    const bool painted = painter_.end();
    if (writer_ != nullptr) return EndFileJob(painted);
    if (!painted) return Fault(PrinterFault::NotReady);
    if (const QString error = LastSubmissionError(); !error.isEmpty()) {
        return Fault(PrinterFault::Refused, device().printerName(), error);
    }
    return PrinterFault::None;
}

PrinterFault QtSheetPrinter::EndFileJob(bool painted)
{
    writer_.reset();
    buffer_.reset();
    const QString path = std::exchange(jobFile_, {});
    const QByteArray pdf = std::exchange(pdf_, {});
    if (!painted) return Fault(PrinterFault::NotReady);
    return WriteJobFile(path, pdf);
}

PrinterFault QtSheetPrinter::WriteJobFile(const QString& path, const QByteArray& pdf)
{
    // Unbuffered and written until all of it went: QFile takes a write that
    // fell short (a full disk) for success, and reports an error only once
    // nothing at all could be written. Not committed, the temporary file is
    // removed and the job's name stays free.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return FileFault(path, file.errorString());
    for (qint64 done = 0; done < pdf.size();) {
        const qint64 written = file.write(pdf.constData() + done, pdf.size() - done);
        if (written <= 0) return FileFault(path, file.errorString());
        done += written;
    }
    if (!file.commit()) return FileFault(path, file.errorString());
    return PrinterFault::None;
}

void QtSheetPrinter::SetupDialog()
{
    std::unique_ptr<QPrinter> copy = CopyOf(device());
    PrinterSetupDialog dialog(copy.get(), PrintsToFile(), QApplication::activeWindow());
    if (dialog.exec() == QDialog::Accepted) printer_ = std::move(copy);
}

}  // namespace tavrimo
