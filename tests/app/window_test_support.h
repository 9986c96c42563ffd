#pragma once

// What the window tests share: a window on recording stand-ins, typing into
// its boxes, and the drawing a sheet should produce.

#include <QLineEdit>
#include <QString>
#include <QTest>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/Fmain.h"
#include "recording_services.h"
#include "render/recording_canvas.h"
#include "render/sheet_layout.h"

namespace tavrimo::testing {

// A window whose boxes, sound and printer are recorded, with a fixed seed so
// that a failing run can be repeated.
struct TestWindow {
    RecordingServices services;
    RecordingPrinter printer;
    TForm1 form{printer, services};

    explicit TestWindow(std::uint32_t seed = 20240601) { form.randomSource().setSeed(seed); }
};

// Replaces the box's text by typing, one key at a time, as a user would.
// ASCII only; see TypeCharacter for the rest.
inline void Retype(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// Types one character that has no key of its own, such as a full-width digit.
inline void TypeCharacter(QLineEdit* box, const QString& character)
{
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, character, Qt::NoModifier);
}

// The calls DrawSheet makes for the view, on a copy of the table (drawing
// answers writes them into the table).
inline std::vector<CanvasCall> SheetDrawing(ProblemTable table, std::int32_t width, std::int32_t height,
                                            std::int32_t count, std::int32_t number, bool answers,
                                            const std::string& question)
{
    RecordingCanvas canvas;
    DrawSheet(canvas, width, height, table, SheetView{count, number, answers, question});
    return canvas.calls();
}

// What the window's paint handler draws right now.
inline std::vector<CanvasCall> PreviewDrawing(TForm1& form)
{
    RecordingCanvas canvas;
    form.PaintBox1Paint(canvas);
    return canvas.calls();
}

inline std::string Utf8(const QString& text)
{
    return text.toStdString();
}

}  // namespace tavrimo::testing
