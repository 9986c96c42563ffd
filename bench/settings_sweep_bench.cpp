// The slowest sets of the settings sweep (tests/problems/settings_sweep_test):
// each makes a few problems and then fails a slot whose every generator call
// spends its attempts on a multiple draw that cannot stand.
#include <benchmark/benchmark.h>

#include "problems/problem_set.h"

namespace tavrimo {
namespace {

struct SweepSet {
    const char* denA0;
    const char* denA1;
    int answerKind;
    int reduce;
};

// Whole parts a 1..1, b 0..0; b's denominators 3..3; common denominator and
// multiple on; 20 problems from the sweep's second seed.
constexpr SweepSet kSlowest[] = {
    {"97", "99", 4, 1},  // the slowest: 5 problems, then slot 6 fails
    {"50", "99", 4, 0},  // 6 problems
};

void SlowestSweepSet(benchmark::State& state)
{
    const SweepSet& set = kSlowest[state.range(0)];
    SettingsBoxes boxes;
    boxes.edtIntf1 = boxes.edtIntf2 = "1";
    boxes.edtIntb1 = boxes.edtIntb2 = "0";
    boxes.edtBunbof1 = set.denA0;
    boxes.edtBunbof2 = set.denA1;
    boxes.edtBunbob1 = boxes.edtBunbob2 = "3";
    boxes.rgAnswer = set.answerKind;
    boxes.rgQNum = 1;
    boxes.rgTuubun = boxes.rgBaisuu = 1;
    boxes.rgYakubun = set.reduce;
    Sheet sheet;
    ProblemKeys keys{};
    for (auto _ : state) {
        RandomSource source(2654435769u);
        AssembleProblemSet(boxes, source, sheet, keys);
        benchmark::DoNotOptimize(sheet.table);
    }
    state.counters["problems"] = sheet.QuestionCount;
}
BENCHMARK(SlowestSweepSet)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrimo
