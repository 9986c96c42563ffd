#include "runtime/random_source.h"

#include <chrono>

namespace tavrimo {

std::uint32_t SeedFromTimeOfDay(int hour, int minute, int second, int millisecond)
{
    return static_cast<std::uint32_t>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond);
}

void Randomize(RandomSource& source)
{
    using namespace std::chrono;
    const auto now = system_clock::now().time_since_epoch();
    const auto ms = duration_cast<milliseconds>(now).count() % (24LL * 60 * 60 * 1000);
    const auto total = static_cast<int>(ms);
    source.setSeed(SeedFromTimeOfDay(total / 3600000, total / 60000 % 60, total / 1000 % 60, total % 1000));
}

}  // namespace tavrimo
