#pragma once

// Helpers for driving one generator call from a known seed.
#include <cstdint>
#include <optional>

#include "problems/generators.h"

namespace tavrimo::test {

struct Call {
    MixedNumber a, b;
    std::int32_t failed = 0;
    std::uint64_t randomCalls = 0;  // counted from the advance of the state
};

// The number of Random calls that lead from one state to another.
inline std::optional<std::uint64_t> CallsBetween(std::uint32_t from, std::uint32_t to,
                                                 std::uint64_t limit = 10'000'000)
{
    for (std::uint64_t n = 0; n <= limit; ++n) {
        if (from == to) return n;
        from = from * 134775813u + 1u;
    }
    return std::nullopt;
}

enum class Generator { NotSmaller, Smaller };

inline Call Generate(Generator which, const GeneratorRanges& ranges, const GeneratorOptions& options,
                     std::uint32_t seed)
{
    RandomSource source(seed);
    GeneratorContext context(source, ranges, options);
    Call call;
    if (which == Generator::NotSmaller)
        NotSmaller0(context, call.a, call.b, call.failed);
    else
        Smaller0(context, call.a, call.b, call.failed);
    call.randomCalls = CallsBetween(seed, source.seed()).value_or(UINT64_MAX);
    return call;
}

// The options of an item of the window's answer kinds: 0-2 without borrowing,
// 3-5 with; within each, irreducible, reducible, either.
inline GeneratorOptions KindOptions(int kind, bool common = false, bool multiple = false, bool reduce = false)
{
    return {kind >= 3, static_cast<Reduction>(kind % 3), common, multiple, reduce};
}

inline int AnswerKind(const GeneratorOptions& o)
{
    return (o.Borrowing ? 3 : 0) + static_cast<int>(o.AnswerReduction);
}

inline GeneratorRanges Ranges(std::int32_t wa0, std::int32_t wa1, std::int32_t wb0, std::int32_t wb1,
                              std::int32_t da0, std::int32_t da1, std::int32_t db0, std::int32_t db1)
{
    return {wa0, wa1, wb0, wb1, da0, da1, db0, db1};
}

}  // namespace tavrimo::test
