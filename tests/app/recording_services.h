#pragma once

// What the window tests share: stand-ins that record what the window asks of
// its services and printer, a window on them, typing, and the sheet drawing.

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/Fmain.h"
#include "app/paint_box.h"
#include "app/radio_group.h"
#include "render/recording_canvas.h"
#include "render/sheet_layout.h"
#include "runtime/qt/sheet_fonts.h"
#include "runtime/sheet_printer.h"
#include "runtime/window_services.h"
#include "session/recording_printer.h"

namespace tavrimo::testing {

class RecordingServices final : public WindowServices {
public:
    QStringList events;                          // "beep", "error: MESSAGE" or "warning CAPTION: TEXT"
    std::function<void()> whileBoxOpen = [] {};  // while a box is "open": the window may repaint

    void ReportError(std::string_view message) override { Open("error: " + QString::fromUtf8(message)); }
    void ShowWarning(std::string_view caption, std::string_view text) override
    {
        Open("warning " + QString::fromUtf8(caption) + ": " + QString::fromUtf8(text));
    }
    void Beep() override { events << "beep"; }

private:
    void Open(const QString& event) { events << event, whileBoxOpen(); }
};

// A window on recording services, with a fixed seed to repeat a failing run.
template <class Printer = RecordingPrinter>
struct TestWindow {
    RecordingServices services;
    Printer printer;
    TForm1 form{printer, services};

    explicit TestWindow(std::uint32_t seed = 20240601) { form.randomSource().setSeed(seed); }
    bool Show() { return form.ShowCentred(), QTest::qWaitForWindowActive(&form); }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void Preview() { Click(form.btnPreview); }
};

// Replaces the box's text by typing it, each character as key text (keyClicks takes ASCII only).
inline void Retype(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), {});
}

// A data row per entry of a table of named rows, holding the entry's index.
template <class Row, std::size_t N>
void AddRows(const Row (&rows)[N])
{
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < N; ++i) QTest::newRow(rows[i].name) << int(i);
}

// The calls DrawSheet makes, on a copy of the table (answers are written into it).
inline std::vector<CanvasCall> SheetDrawing(ProblemTable table, std::int32_t width, std::int32_t height,
                                            std::int32_t count, std::int32_t number, bool answers,
                                            const std::string& question = SettingsBoxes{}.QstSentence)
{
    RecordingCanvas canvas;
    Sheet sheet{table, count, number, answers, question};
    DrawSheet(canvas, width, height, sheet);
    return canvas.calls();
}

// What the window holds between clicks, as numbers.
struct HeldState {
    int QuestionCount, PrintNumber, ShowAnswers, PreviewReady;
};

inline HeldState Held(const TForm1& form)
{
    const WorksheetSession& s = form.session();
    return {s.QuestionCount(), s.PrintNumber(), s.ShowAnswers() ? 1 : 0, s.PreviewReady() ? 1 : 0};
}

// The pixels the screen shows of the widget now, as last painted (not drawn anew).
inline QImage OnScreen(QWidget* widget)
{
    const QPoint at = widget->mapTo(widget->window(), QPoint());
    return widget->screen()
        ->grabWindow(widget->window()->winId(), at.x(), at.y(), widget->width(), widget->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// What the window's paint handler draws right now.
inline std::vector<CanvasCall> PreviewDrawing(TForm1& form)
{
    RecordingCanvas canvas;
    form.PaintBox1Paint(canvas);
    return canvas.calls();
}

}  // namespace tavrimo::testing
