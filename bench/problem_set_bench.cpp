// Generating problem sets: what one click of the preview button costs.
#include <benchmark/benchmark.h>

#include "problems/answer.h"
#include "problems/problem_set.h"

namespace tavrimo {
namespace {

void Assemble(benchmark::State& state, const SettingsBoxes& boxes, bool expectComplete)
{
    RandomSource source(12345);
    Sheet sheet;
    ProblemKeys keys{};
    for (auto _ : state) {
        const AssemblyOutcome o = AssembleProblemSet(boxes, source, sheet, keys);
        if ((o.status == AssemblyStatus::Complete) != expectComplete)
            state.SkipWithError("unexpected outcome");
        benchmark::DoNotOptimize(sheet.table);
    }
}

void DefaultSet(benchmark::State& state)
{
    Assemble(state, {}, true);
}
BENCHMARK(DefaultSet);

void DefaultSetWithAnswers(benchmark::State& state)
{
    RandomSource source(12345);
    Sheet sheet;
    ProblemKeys keys{};
    for (auto _ : state) {
        AssembleProblemSet({}, source, sheet, keys);
        for (int i = 1; i <= sheet.QuestionCount; ++i) CalcAnswer(sheet.table, i, "-");
        benchmark::DoNotOptimize(sheet.table);
    }
}
BENCHMARK(DefaultSetWithAnswers);

// Every answer kind with common denominators and multiples on.
void CommonMultiples(benchmark::State& state)
{
    SettingsBoxes boxes;
    boxes.rgAnswer = static_cast<int>(state.range(0));
    boxes.edtIntf1 = "2";
    boxes.edtIntf2 = "9";
    boxes.edtIntb2 = "1";
    boxes.edtBunbof2 = boxes.edtBunbob2 = "20";
    boxes.rgTuubun = boxes.rgBaisuu = 1;
    Assemble(state, boxes, true);
}
BENCHMARK(CommonMultiples)->DenseRange(0, 5);

// Failing sets: each ends after a slot's 1001st generator call or attempt.
void FailingSet(benchmark::State& state)
{
    SettingsBoxes boxes;
    switch (state.range(0)) {
        case 0:  // two distinct problems: slot 3 makes 1001 calls
            boxes.edtIntf1 = boxes.edtIntf2 = boxes.edtIntb1 = boxes.edtIntb2 = "1";
            boxes.edtBunbof2 = boxes.edtBunbob2 = "3";
            boxes.rgAnswer = 2;
            break;
        case 1:  // denominators 2..3 under kind 0: 1001 attempts in slot 1
            boxes.edtBunbof2 = boxes.edtBunbob2 = "3";
            break;
        case 2:  // borrowing with whole parts 0..0: 1001 pairs
            boxes.rgAnswer = 3;
            break;
        case 3:  // a common multiple that can never stand: 1001 attempts of redraws
            boxes.edtBunbof1 = boxes.edtBunbof2 = boxes.edtBunbob1 = boxes.edtBunbob2 = "5";
            boxes.rgTuubun = 1;
            boxes.rgAnswer = 2;
            break;
        case 4:  // both multiple draws impossible, borrowing
            boxes.edtIntf1 = boxes.edtIntf2 = "1";
            boxes.edtBunbof1 = boxes.edtBunbob1 = "50";
            boxes.rgTuubun = boxes.rgBaisuu = 1;
            boxes.rgAnswer = 5;
            break;
        case 5:  // b always 1/2 under kind 4: 1001 passes
            boxes.edtIntf1 = boxes.edtIntf2 = "1";
            boxes.edtBunbof1 = boxes.edtBunbof2 = "0";
            boxes.edtBunbob1 = boxes.edtBunbob2 = "2";
            boxes.rgAnswer = 4;
            break;
    }
    Assemble(state, boxes, false);
}
BENCHMARK(FailingSet)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrimo
