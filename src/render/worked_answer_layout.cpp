#include "render/worked_answer_layout.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "render/mixed_number_drawing.h"
#include "render/problem_numbers.h"
#include "render/sheet_layout.h"

namespace tavrimo {
namespace {

// The layout in reference units, like the plain sheet's.
constexpr std::int32_t kColumns = 2;
constexpr std::int32_t kRowsPerPage = kWorkedProblemsPerPage / kColumns;
// The rows share the height from under the instruction sentence (its foot
// is at 50) to near the foot of the page.
constexpr double kGridTop = 54;
constexpr double kGridBottom = 437;
// Two columns of cells; each problem starts where the plain sheet's does.
constexpr double kCellLeft[kColumns] = {15, 167};
constexpr double kCellWidth = 152;
constexpr double kIndent = 8;
constexpr double kTopInset = 2;  // above the first line's numerators

// A line with fractions is two font heights and a unit tall; the font and
// the line pitch let a cell of five rows a page hold the method's longest
// working: 5 lines by improper fractions, 4 by borrowing.
struct LineSpacing {
    double fontHeight, pitch;
};
constexpr LineSpacing kImproperSpacing{6, 14};
constexpr LineSpacing kBorrowSpacing{7.5, 17};

constexpr std::string_view kMinus = " - ";
constexpr std::string_view kEquals = " = ";

// A problem's place on a page, in reference units.
struct CellPlan {
    std::int32_t index;
    std::int32_t column;
    double top, height;
};

std::int32_t RowCount(std::int32_t questionCount)
{
    return ProblemsOnSheet(questionCount) / kColumns;
}

// The first row of each page: the rows shared out as evenly as they go, the
// earlier pages taking the one left over.
std::int32_t FirstRow(std::int32_t rows, std::int32_t pages, std::int32_t pageIndex)
{
    return (rows * pageIndex + pages - 1) / pages;
}

std::vector<CellPlan> PlanPage(std::int32_t questionCount, std::int32_t pageIndex)
{
    const std::int32_t rows = RowCount(questionCount);
    const std::int32_t pages = WorkedAnswerPageCount(questionCount);
    if (rows == 0 || pageIndex < 0 || pageIndex >= pages) return {};
    // Every page of a sheet spaces its rows alike, for the fullest page.
    const std::int32_t first = FirstRow(rows, pages, pageIndex);
    const std::int32_t fullest = FirstRow(rows, pages, 1);
    const double rowHeight = (kGridBottom - kGridTop) / fullest;
    std::vector<CellPlan> cells;
    for (std::int32_t row = 0; row < FirstRow(rows, pages, pageIndex + 1) - first; ++row) {
        for (std::int32_t column = 0; column < kColumns; ++column)
            cells.push_back(
                {(first + row) * kColumns + column + 1, column, kGridTop + row * rowHeight, rowHeight});
    }
    return cells;
}

// The problem line, " = " and the first step, then each further step under
// that " = ".
void DrawWorking(Canvas& canvas, float scale, const CellPlan& cell, const Sheet& sheet, WorkingMethod method,
                 const LineSpacing& spacing)
{
    const ProblemTable& table = sheet.table;
    const std::int32_t X = Scaled(scale, kCellLeft[cell.column] + kIndent);
    const double firstLine = cell.top + kTopInset + spacing.fontHeight / 2;
    if (sheet.ProblemNumbers)
        DrawProblemNumber(canvas, scale, X, Scaled(scale, firstLine), cell.index,
                          ScaledFontHeight(scale, spacing.fontHeight));
    NextPoint p = DrawMixedNumber(canvas, X, Scaled(scale, firstLine), table, cell.index, Column::Minuend);
    p = DrawOperator(canvas, p.X, p.Y, kMinus);
    p = DrawMixedNumber(canvas, p.X, p.Y, table, cell.index, Column::Subtrahend);
    const std::int32_t equalsX = p.X;

    const std::vector<WorkingStep> steps =
        WorkingSteps(table.Minuend.at(cell.index), table.Subtrahend.at(cell.index), method);
    for (std::size_t line = 0; line < steps.size(); ++line) {
        const WorkingStep& step = steps[line];
        // Each line's position is scaled on its own, so rounding never adds up.
        p = DrawOperator(canvas, equalsX, Scaled(scale, firstLine + spacing.pitch * line), kEquals);
        p = DrawMixedNumber(canvas, p.X, p.Y, step.terms[0], true);
        if (step.termCount > 1) {
            p = DrawOperator(canvas, p.X, p.Y, kMinus);
            DrawMixedNumber(canvas, p.X, p.Y, step.terms[1], true);
        }
    }
}

}  // namespace

std::int32_t WorkedAnswerPageCount(std::int32_t questionCount)
{
    return std::max(1, (RowCount(questionCount) + kRowsPerPage - 1) / kRowsPerPage);
}

std::vector<WorkedCell> WorkedAnswerCells(std::int32_t TargetWidth, std::int32_t TargetHeight,
                                          std::int32_t questionCount, std::int32_t pageIndex)
{
    const float scale = Scale(TargetWidth, TargetHeight);
    std::vector<WorkedCell> cells;
    for (const CellPlan& c : PlanPage(questionCount, pageIndex)) {
        const double left = kCellLeft[c.column];
        cells.push_back({c.index, Scaled(scale, left), Scaled(scale, c.top), Scaled(scale, left + kCellWidth),
                         Scaled(scale, c.top + c.height)});
    }
    return cells;
}

void DrawWorkedAnswerPage(Canvas& canvas, std::int32_t TargetWidth, std::int32_t TargetHeight,
                          const Sheet& sheet, WorkingMethod method, std::int32_t pageIndex)
{
    const float scale = Scale(TargetWidth, TargetHeight);
    const std::int32_t pages = WorkedAnswerPageCount(sheet.QuestionCount);
    std::string number = SheetNumberText(sheet.PrintNumber);
    if (pages > 1) number += " (" + std::to_string(pageIndex + 1) + "/" + std::to_string(pages) + ")";
    DrawSheetHeader(canvas, scale, sheet, number);

    const LineSpacing& spacing = method == WorkingMethod::Improper ? kImproperSpacing : kBorrowSpacing;
    canvas.SetFontHeight(ScaledFontHeight(scale, spacing.fontHeight));
    for (const CellPlan& cell : PlanPage(sheet.QuestionCount, pageIndex))
        DrawWorking(canvas, scale, cell, sheet, method, spacing);
}

}  // namespace tavrimo
