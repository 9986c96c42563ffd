#include "render/sheet_layout.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "problems/answer.h"
#include "problems/integer_math.h"
#include "render/class_header.h"
#include "render/mixed_number_drawing.h"
#include "render/problem_numbers.h"

namespace tavrimo {
namespace {

// The fixed layout, in reference units (pixels of the 320 x 441 preview).
struct RefPoint {
    std::int32_t x, y;
};
constexpr std::int32_t kTitleFontHeight = 6;
constexpr RefPoint kTitleAt{14, 10};
constexpr std::int32_t kSheetNumberFontHeight = 6;
constexpr RefPoint kSheetNumberAt{64, 10};
constexpr std::int32_t kNameBoxFontHeight = 14;
constexpr RefPoint kNameBoxAt{140, 20};
constexpr std::int32_t kQuestionFontHeight = 10;
constexpr RefPoint kQuestionAt{14, 40};
constexpr std::int32_t kProblemFontHeight = 13;
// The top-left of problem 1; the others follow at ColumnWidth and RowHeight.
constexpr RefPoint kFirstProblemAt{23, 70};
// Taken off the target's width before it is halved into the column spacing,
// and off its height before it is shared among the rows.
constexpr std::int32_t kColumnMargin = 15;
constexpr std::int32_t kRowMargin = 50;

constexpr std::int32_t kColumns = 2;

constexpr std::string_view kTitle = "分数の引き算";
constexpr std::string_view kSheetNumberLabel = "問題No.";
constexpr std::string_view kNameBoxOpen = "\uFF08";   // FULLWIDTH LEFT PARENTHESIS
constexpr std::string_view kNameBoxSpace = "\u3000";  // IDEOGRAPHIC SPACE
constexpr std::string_view kNameBoxClose = "\uFF09";  // FULLWIDTH RIGHT PARENTHESIS
constexpr int kNameBoxSpaces = 11;
constexpr std::string_view kMinus = " - ";
constexpr std::string_view kEquals = " = ";
constexpr std::string_view kSubtraction = "-";

std::string NameBoxText()
{
    std::string text{kNameBoxOpen};
    for (int i = 0; i < kNameBoxSpaces; ++i) text += kNameBoxSpace;
    text += kNameBoxClose;
    return text;
}

void DrawProblem(Canvas& canvas, std::int32_t X, std::int32_t Y, ProblemTable& table, int index,
                 bool showAnswer)
{
    NextPoint p = DrawMixedNumber(canvas, X, Y, table, index, Column::Minuend);
    p = DrawOperator(canvas, p.X, p.Y, kMinus);
    p = DrawMixedNumber(canvas, p.X, p.Y, table, index, Column::Subtrahend);
    p = DrawOperator(canvas, p.X, p.Y, kEquals);
    if (showAnswer) {
        // Computed here rather than read, so the sheet always shows the
        // answer of the operands it shows.
        CalcAnswer(table, index, kSubtraction);
        DrawMixedNumber(canvas, p.X, p.Y, table, index, Column::Answer);
    }
}

}  // namespace

// A tiny or upside-down target scales the heights to 0 or below; the font
// stays at least one pixel high.
std::int32_t ScaledFontHeight(float scale, double referenceHeight)
{
    return std::max<std::int32_t>(1, Scaled(scale, referenceHeight));
}

std::string SheetNumberText(std::int32_t printNumber)
{
    return std::string{kSheetNumberLabel} + std::to_string(printNumber);
}

void DrawSheetHeader(Canvas& canvas, float scale, const Sheet& sheet, std::string_view sheetNumberText)
{
    const auto scaled = [scale](std::int32_t reference) { return Scaled(scale, reference); };

    // The background covers the reference area scaled, not the whole target.
    canvas.SetBrushStyle(BrushStyle::Solid);
    canvas.SetBrushColor(kWhite);
    canvas.SetPenColor(kWhite);
    canvas.Rectangle(0, 0, scaled(kReferenceWidth - 1), scaled(kReferenceHeight - 1));
    canvas.SetPenColor(kBlack);
    canvas.SetBrushStyle(BrushStyle::Clear);

    canvas.SetFontName(kTitleFont);
    canvas.SetFontHeight(ScaledFontHeight(scale, kTitleFontHeight));
    canvas.TextOut(scaled(kTitleAt.x), scaled(kTitleAt.y), kTitle);

    canvas.SetFontName(kSheetFont);
    canvas.SetFontHeight(ScaledFontHeight(scale, kSheetNumberFontHeight));
    canvas.TextOut(scaled(kSheetNumberAt.x), scaled(kSheetNumberAt.y), sheetNumberText);

    if (sheet.ClassHeader) {
        DrawClassHeader(canvas, scale, ProblemsOnSheet(sheet.QuestionCount));
    } else {
        canvas.SetFontHeight(ScaledFontHeight(scale, kNameBoxFontHeight));
        canvas.TextOut(scaled(kNameBoxAt.x), scaled(kNameBoxAt.y), NameBoxText());
    }

    // An empty sentence is passed on too: the canvas draws nothing for it.
    canvas.SetFontHeight(ScaledFontHeight(scale, kQuestionFontHeight));
    canvas.TextOut(scaled(kQuestionAt.x), scaled(kQuestionAt.y), sheet.QuestionText);
}

double MinReal(double a, double b)
{
    return b < a ? b : a;
}

float Scale(std::int32_t TargetWidth, std::int32_t TargetHeight)
{
    if (TargetWidth < 1) return 1.0f;
    return static_cast<float>(MinReal(static_cast<double>(TargetWidth) / kReferenceWidth,
                                      static_cast<double>(TargetHeight) / kReferenceHeight));
}

std::int32_t Scaled(float scale, double x)
{
    // Like every integer of the sheet the result wraps modulo 2^32; fmod is
    // exact, so this holds for any finite product, not only those that fit.
    constexpr double kModulus = 4294967296.0;
    const double rounded = std::nearbyint(static_cast<double>(scale) * x);
    if (!std::isfinite(rounded)) return 0;
    double wrapped = std::fmod(rounded, kModulus);
    if (wrapped < 0) wrapped += kModulus;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(wrapped));
}

bool QuestionFits(Canvas& canvas, std::int32_t TargetWidth, std::int32_t TargetHeight,
                  std::string_view question)
{
    const float scale = Scale(TargetWidth, TargetHeight);
    canvas.SetFontName(kSheetFont);
    canvas.SetFontHeight(ScaledFontHeight(scale, kQuestionFontHeight));
    const std::int64_t right = std::int64_t{Scaled(scale, kQuestionAt.x)} + canvas.TextWidth(question);
    return right <= Scaled(scale, kReferenceWidth - 1);
}

void DrawSheet(Canvas& canvas, std::int32_t TargetWidth, std::int32_t TargetHeight, Sheet& sheet)
{
    const float scale = Scale(TargetWidth, TargetHeight);
    const auto scaled = [scale](std::int32_t reference) { return Scaled(scale, reference); };

    DrawSheetHeader(canvas, scale, sheet, SheetNumberText(sheet.PrintNumber));
    canvas.SetFontHeight(ScaledFontHeight(scale, kProblemFontHeight));

    // The grid spacing follows the target itself, not the scale.
    const std::int32_t columnWidth = WrapSub(TargetWidth, scaled(kColumnMargin)) / 2;
    const std::int32_t rowCount = sheet.QuestionCount / kColumns;
    if (rowCount <= 0) return;
    const std::int32_t rowHeight = WrapSub(TargetHeight, scaled(kRowMargin)) / rowCount;

    // A count beyond the table still spaces the rows by itself but draws
    // only the slots there are.
    const std::int32_t drawnRows = ProblemsOnSheet(sheet.QuestionCount) / kColumns;
    for (std::int32_t row = 0; row < drawnRows; ++row) {
        const std::int32_t Y = WrapAdd(scaled(kFirstProblemAt.y), WrapMul(row, rowHeight));
        for (std::int32_t column = 0; column < kColumns; ++column) {
            const std::int32_t X = WrapAdd(scaled(kFirstProblemAt.x), WrapMul(column, columnWidth));
            const int index = row * kColumns + column + 1;
            if (sheet.ProblemNumbers)
                DrawProblemNumber(canvas, scale, X, Y, index, ScaledFontHeight(scale, kProblemFontHeight));
            DrawProblem(canvas, X, Y, sheet.table, index, sheet.ShowAnswers);
        }
    }
}

}  // namespace tavrimo
