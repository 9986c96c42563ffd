#include "app/Fmain.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "app/paint_box.h"
#include "app/radio_group.h"
#include "problems/box_integer.h"
#include "problems/integer_math.h"
#include "problems/settings_reader.h"
#include "render/sheet_layout.h"
#include "runtime/sheet_files.h"
#include "runtime/sheet_printer.h"
#include "runtime/sheet_printing.h"
#include "runtime/window_services.h"

namespace tavrimo {
namespace {

std::string Utf8(const QString& text)
{
    return text.toStdString();
}

}  // namespace

TForm1::TForm1(SheetPrinter& printer, WindowServices& services, QWidget* parent)
    : QWidget(parent), printer_(printer), services_(services)
{
    CreateControls();
    ConnectHandlers();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::ConnectHandlers()
{
    connect(edtBunbof1, &QLineEdit::textChanged, this, &TForm1::edtBunbof1Change);
    connect(edtBunbof2, &QLineEdit::textChanged, this, &TForm1::edtBunbof2Change);
    connect(rgTuubun, &RadioGroup::clicked, this, &TForm1::rgTuubunClick);
    connect(btnPreview, &QPushButton::clicked, this, &TForm1::btnPreviewClick);
    connect(btnPrint, &QPushButton::clicked, this, &TForm1::btnPrintClick);
    connect(btnPrintWithAns, &QPushButton::clicked, this, &TForm1::btnPrintWithAnsClick);
    connect(btnPrintAns, &QPushButton::clicked, this, &TForm1::btnPrintAnsClick);
    connect(btnMaintenance, &QPushButton::clicked, this, &TForm1::btnMaintenanceClick);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
    PaintBox1->onPaint = [this](Canvas& canvas) { PaintBox1Paint(canvas); };
}

void TForm1::FormCreate()
{
    ApplyOuterSize();
    state_.PreviewReady = 0;
    Randomize(source_);
    state_.QuestionCount = 0;
    // The box holds "1" at start.
    if (const auto number = ParseBoxInteger(Utf8(PrnNum->text()))) state_.PrintNumber = *number;
}

// Outer size and position. Before the window is shown its frame is unknown;
// once the window manager has framed it the client area shrinks by the frame.

void TForm1::ApplyOuterSize()
{
    const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    resize(kFormWidth - frame.left() - frame.right(), kFormHeight - frame.top() - frame.bottom());
}

void TForm1::ShowCentred()
{
    QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - kFormWidth) / 2, area.top() + (area.height() - kFormHeight) / 2);
    }
    show();
    SettleOuterSize();
}

void TForm1::SettleOuterSize()
{
    if (outerSizeSettled_ || windowHandle() == nullptr || !isVisible()) return;
    const QMargins frame = windowHandle()->frameMargins();
    if (frame.isNull()) return;
    outerSizeSettled_ = true;
    const QPoint topLeft = frameGeometry().topLeft();
    ApplyOuterSize();
    move(topLeft);
}

void TForm1::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    SettleOuterSize();
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    SettleOuterSize();
}

// Coupling of the controls while the user edits.

void TForm1::edtBunbof1Change()
{
    edtBunbob1->setText(edtBunbof1->text());
}

void TForm1::edtBunbof2Change()
{
    edtBunbob2->setText(edtBunbof2->text());
}

void TForm1::rgTuubunClick()
{
    rgBaisuu->setEnabled(rgTuubun->itemIndex() == 1);
}

// Preview.

SettingsBoxes TForm1::ReadBoxes() const
{
    SettingsBoxes boxes;
    boxes.PrnNum = Utf8(PrnNum->text());
    boxes.edtIntf1 = Utf8(edtIntf1->text());
    boxes.edtIntf2 = Utf8(edtIntf2->text());
    boxes.edtBunbof1 = Utf8(edtBunbof1->text());
    boxes.edtBunbof2 = Utf8(edtBunbof2->text());
    boxes.edtIntb1 = Utf8(edtIntb1->text());
    boxes.edtIntb2 = Utf8(edtIntb2->text());
    boxes.edtBunbob1 = Utf8(edtBunbob1->text());
    boxes.edtBunbob2 = Utf8(edtBunbob2->text());
    boxes.rgAnswer = rgAnswer->itemIndex();
    boxes.rgQNum = rgQNum->itemIndex();
    boxes.rgTuubun = rgTuubun->itemIndex();
    boxes.rgBaisuu = rgBaisuu->itemIndex();
    boxes.rgYakubun = rgYakubun->itemIndex();
    return boxes;
}

void TForm1::btnPreviewClick()
{
    const AssemblyOutcome outcome = AssembleProblemSet(ReadBoxes(), source_, table_, keys_, state_);
    switch (outcome.status) {
        case AssemblyStatus::Refused:
            // The table, its keys and the count are as they were.
            ShowErrorReport(outcome.message);
            return;
        case AssemblyStatus::Short:
            // The short set is already in the table, so a repaint behind the
            // warning shows the problems the count says.
            services_.Beep();
            services_.ShowWarning(kShortSetCaption, kShortSetWarning);
            break;
        case AssemblyStatus::Complete: break;
    }
    if (state_.QuestionCount > 2) {
        state_.PreviewReady = 1;
        // Drawn at once, not at the next turn of the event loop.
        PaintBox1->repaint();
        btnPrint->setEnabled(true);
        btnPrintWithAns->setEnabled(true);
        btnPrintAns->setEnabled(true);
    }
}

void TForm1::PaintBox1Paint(Canvas& canvas)
{
    if (state_.PreviewReady != 1 || state_.QuestionCount <= 0) return;
    // Read now: an edit of the sentence shows at the next repaint.
    const std::string question = Utf8(QstSentence->text());
    state_.ShowAnswers = 1;
    DrawSheet(canvas, kReferenceWidth, kReferenceHeight, table_,
              SheetView{state_.QuestionCount, state_.PrintNumber, true, question});
    state_.ShowAnswers = 0;
}

// Printing.

void TForm1::btnPrintClick()
{
    PrintSheets({false});
}

void TForm1::btnPrintWithAnsClick()
{
    PrintSheets({false, true});
}

void TForm1::btnPrintAnsClick()
{
    PrintSheets({true});
}

void TForm1::PrintSheets(std::initializer_list<bool> answerSheets)
{
    // Read again, so that a number typed after the preview is used.
    const std::string numberText = Utf8(PrnNum->text());
    const auto number = ParseBoxInteger(numberText);
    if (!number) {
        ShowErrorReport(NotAnIntegerMessage(numberText));
        return;
    }
    state_.PrintNumber = *number;

    std::vector<SheetPage> pages;
    for (const bool answers : answerSheets) {
        pages.push_back(
            {table_, state_.QuestionCount, state_.PrintNumber, answers, Utf8(QstSentence->text())});
    }
    if (const PrinterFault fault = PrintSheetPages(printer_, pages); fault != PrinterFault::None) {
        ShowErrorReport(std::string(PrinterFaultMessage(fault)));
        return;
    }

    state_.PrintNumber = WrapAdd(state_.PrintNumber, 1);
    PrnNum->setText(QString::number(state_.PrintNumber));
}

void TForm1::btnMaintenanceClick()
{
    printer_.SetupDialog();
}

void TForm1::ShowErrorReport(const std::string& message)
{
    services_.ReportError(WithClosingPeriod(message));
}

}  // namespace tavrimo
