#pragma once

#include <array>
#include <cstdint>

#include "problems/mixed_number.h"
#include "problems/worksheet_settings.h"
#include "runtime/random_source.h"

namespace tavrimo {

// Every counted retry loop (whole-part pairs, attempts, passes, and the
// generator calls for one slot) fails once its counter passes this.
inline constexpr int kMaxTries = 1000;

// The redraw loops inside one generator pass. Some settings let a loop never
// stand; those are recognised exactly from the ranges.
enum class Draw : int {
    CommonMultipleNotSmaller,  // a's fraction part >= b's
    CommonMultipleSmaller,     // a's fraction part < b's
    SameDenominatorSmaller,
    MultipleOfA,
    MultipleOfB,
};

// Whether some draw of the given loop can stand under the ranges (which must
// lie inside the settings domain).
bool DrawCanStand(Draw draw, const GeneratorRanges& ranges);

// What a generator works with for one problem set: the random source, the
// fixed settings, and what has been learnt about the redraw loops.
class GeneratorContext {
public:
    GeneratorContext(RandomSource& source, const GeneratorRanges& ranges, const GeneratorOptions& options)
        : source_(source), ranges_(ranges), options_(options)
    {
        known_.fill(Unknown);
    }

    RandomSource& source() { return source_; }
    const GeneratorRanges& ranges() const { return ranges_; }
    const GeneratorOptions& options() const { return options_; }

    // Decided once per set and only on the slow path, after many failed redraws.
    bool canStand(Draw draw);

private:
    enum Knowledge : signed char { Unknown = -1, Cannot = 0, Can = 1 };
    RandomSource& source_;
    GeneratorRanges ranges_;
    GeneratorOptions options_;
    std::array<Knowledge, 5> known_;
};

// One problem a - b whose fraction parts subtract without borrowing (answer
// kinds 0-2). Sets GenerationFailed to 1 when it makes no usable problem and
// never clears it; a, b are meaningful only while it stays 0.
void NotSmaller0(GeneratorContext& context, MixedNumber& a, MixedNumber& b, std::int32_t& GenerationFailed);

// One problem a - b whose fraction part of a is the smaller, so that working
// it means borrowing (answer kinds 3-5). Same contract as NotSmaller0.
void Smaller0(GeneratorContext& context, MixedNumber& a, MixedNumber& b, std::int32_t& GenerationFailed);

}  // namespace tavrimo
