#include "app/Fmain.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "app/advanced_dialog.h"
#include "app/paint_box.h"
#include "app/radio_group.h"
#include "problems/setting_descriptions.h"
#include "runtime/qt/qpainter_canvas.h"
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
    connect(btnAdvanced, &QPushButton::clicked, this, &TForm1::btnAdvancedClick);
    connect(btnPrevSheet, &QPushButton::clicked, this, &TForm1::btnPrevSheetClick);
    connect(btnNextSheet, &QPushButton::clicked, this, &TForm1::btnNextSheetClick);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
    PaintBox1->onPaint = [this](Canvas& canvas) { PaintBox1Paint(canvas); };
}

void TForm1::FormCreate()
{
    ApplyOuterSize();
    // A new session has no preview and no problems yet.
    Randomize(session_.source());
    session_.ReadPrintNumber(Utf8(PrnNum->text()));
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
    SettingsBoxes boxes = dialogSettings_;
    for (const SettingDescription& d : SettingDescriptions()) {
        if (d.place != SettingPlace::Window) continue;
        const QString name = QString::fromUtf8(d.control.data(), static_cast<qsizetype>(d.control.size()));
        if (d.text != nullptr) {
            boxes.*d.text = Utf8(findChild<QLineEdit*>(name)->text());
        } else {
            boxes.*d.value = findChild<RadioGroup*>(name)->itemIndex();
        }
    }
    return boxes;
}

void TForm1::SetBoxes(const SettingsBoxes& boxes)
{
    // In the table's order: a's denominator boxes before b's, which follow them while set.
    for (const SettingDescription& d : SettingDescriptions()) {
        if (d.place != SettingPlace::Window) continue;
        const QString name = QString::fromUtf8(d.control.data(), static_cast<qsizetype>(d.control.size()));
        if (d.text != nullptr) {
            findChild<QLineEdit*>(name)->setText(QString::fromStdString(boxes.*d.text));
        } else {
            findChild<RadioGroup*>(name)->setItemIndex(boxes.*d.value);
        }
    }
    rgTuubunClick();
}

void TForm1::btnPreviewClick()
{
    const PreviewOutcome outcome = session_.Preview(ReadBoxes());
    ShowSet(0);
    // Drawn at once from the table as it now is, whatever the outcome: Qt
    // keeps the box's pixels, and a short or refused preview must not leave
    // a set on show that is not the one the print commands print.
    PaintBox1->repaint();
    switch (outcome.status) {
        case AssemblyStatus::Refused: ShowErrorReport(outcome.message); return;
        case AssemblyStatus::Short:
            // The short set is already in the table, so the box behind the
            // warning shows the problems the count says.
            services_.Beep();
            services_.ShowWarning(kShortSetCaption, outcome.message);
            break;
        case AssemblyStatus::Complete: break;
    }
    if (outcome.previewReady) {
        btnPrint->setEnabled(true);
        btnPrintWithAns->setEnabled(true);
        btnPrintAns->setEnabled(true);
    }
    WarnOfALongQuestion();
}

void TForm1::WarnOfALongQuestion()
{
    const QString question = QstSentence->text();
    if (question == warnedOf_) return;
    QImage measure(1, 1, QImage::Format_RGB32);
    QPainter painter(&measure);
    QPainterCanvas canvas(painter);
    if (session_.QuestionFits(canvas, Utf8(question))) return;
    warnedOf_ = question;
    services_.ShowWarning(kShortSetCaption, kQuestionTooWide);
}

void TForm1::PaintBox1Paint(Canvas& canvas)
{
    // The sentence is read now: an edit of it shows at the next repaint.
    session_.PaintPreview(canvas, LookOf(ReadBoxes()));
}

// Printing.

void TForm1::btnPrintClick()
{
    PrintSheets(PrintCommand::Problems);
}

void TForm1::btnPrintWithAnsClick()
{
    PrintSheets(PrintCommand::ProblemsAndAnswers);
}

void TForm1::btnPrintAnsClick()
{
    PrintSheets(PrintCommand::Answers);
}

void TForm1::PrintSheets(PrintCommand command)
{
    WarnOfALongQuestion();
    const PrintOutcome outcome = session_.Print(command, Utf8(PrnNum->text()), LookOf(ReadBoxes()), printer_);
    if (!outcome.printed) {
        ShowErrorReport(outcome.message);
        return;
    }
    PrnNum->setText(QString::number(session_.PrintNumber()));
}

void TForm1::btnMaintenanceClick()
{
    printer_.SetupDialog();
}

void TForm1::ShowSet(int index)
{
    session_.ShowSet(index);
    const int sets = session_.SetCount();
    const bool classSet = session_.PreviewReady() && sets > 1;
    lblSheets->setText(classSet ? QStringLiteral("%1/%2枚").arg(session_.ShownSet() + 1).arg(sets)
                                : QString());
    btnPrevSheet->setVisible(classSet);
    btnNextSheet->setVisible(classSet);
    btnPrevSheet->setEnabled(session_.ShownSet() > 0);
    btnNextSheet->setEnabled(session_.ShownSet() < sets - 1);
    PaintBox1->update();
}

void TForm1::btnPrevSheetClick()
{
    ShowSet(session_.ShownSet() - 1);
}

void TForm1::btnNextSheetClick()
{
    ShowSet(session_.ShownSet() + 1);
}

void TForm1::btnAdvancedClick()
{
    AdvancedDialog dialog(ReadBoxes(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    dialogSettings_ = dialog.settings();
    if (dialog.presetChosen()) SetBoxes(dialog.settings());
}

void TForm1::ShowErrorReport(const std::string& message)
{
    services_.ReportError(message);
}

}  // namespace tavrimo
