// Mixed practice and capped common denominators over a sweep of mixes, caps,
// answer kinds, options and ranges: every set is made once and timed, and
// the slowest is then benchmarked. Each must finish within 50 ms, as the
// window's own settings do, whether the set comes out full or short.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "problems/problem_set.h"

namespace tavrimo {
namespace {

struct Timed {
    SettingsBoxes boxes;
    double ms = 0;
    int sets = 0;
};

double MakeOnce(const SettingsBoxes& boxes)
{
    Sheet sheet;
    ProblemKeys keys{};
    RandomSource source(1);
    const auto start = std::chrono::steady_clock::now();
    AssembleProblemSet(boxes, source, sheet, keys);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

Timed Slowest()
{
    Timed slowest;
    const std::pair<const char*, const char*> denominators[] = {
        {"2", "9"}, {"2", "12"}, {"2", "99"}, {"50", "99"}, {"97", "99"}};
    const std::array<const char*, 4> wholes[] = {
        {"0", "0", "0", "0"}, {"1", "9", "0", "8"}, {"1", "1", "0", "0"}};
    for (const int mix : {-1, 0, 50, 100}) {
        for (const int cap : {0, 2, 12, 36}) {
            for (int kind = 0; kind < 6; ++kind) {
                for (const int options : {0, 1, 3}) {  // 通分 off; on; on with multiples
                    for (const auto& [low, high] : denominators) {
                        for (const auto& w : wholes) {
                            SettingsBoxes b;
                            b.borrowMix = mix;
                            b.maxCommonDenominator = cap;
                            b.rgAnswer = kind;
                            b.rgTuubun = options & 1;
                            b.rgBaisuu = (options >> 1) & 1;
                            b.rgQNum = 1;
                            b.edtBunbof1 = b.edtBunbob1 = low;
                            b.edtBunbof2 = b.edtBunbob2 = high;
                            std::tie(b.edtIntf1, b.edtIntf2, b.edtIntb1, b.edtIntb2) =
                                std::tie(w[0], w[1], w[2], w[3]);
                            const double ms = MakeOnce(b);
                            ++slowest.sets;
                            if (ms > slowest.ms) slowest = {b, ms, slowest.sets};
                        }
                    }
                }
            }
        }
    }
    return slowest;
}

void SlowestMixedOrCapped(benchmark::State& state)
{
    static const Timed slowest = Slowest();
    for (auto _ : state) benchmark::DoNotOptimize(MakeOnce(slowest.boxes));
    const SettingsBoxes& b = slowest.boxes;
    state.SetLabel("mix " + std::to_string(b.borrowMix) + " cap " + std::to_string(b.maxCommonDenominator) +
                   " kind " + std::to_string(b.rgAnswer) + " 通分 " + std::to_string(b.rgTuubun) + " 倍数 " +
                   std::to_string(b.rgBaisuu) + " den " + b.edtBunbof1 + ".." + b.edtBunbof2 + " whole a " +
                   b.edtIntf1 + ".." + b.edtIntf2 + " (target <= 50 ms)");
    state.counters["sets_swept"] = slowest.sets;
}
BENCHMARK(SlowestMixedOrCapped)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrimo
