// What one value (a command-line argument or one input line) contributes to
// its reading, gathered piece by piece in fixed memory:
//  - as decimal text, only its first 42 characters count (the X text);
//  - as an encoding (--bits), its 0 and 1 digits count, blanks and "_" are
//    skipped wherever they stand, and any other character makes it invalid.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "engine/decimal_text.h"

namespace bitscope::cli {

inline constexpr std::size_t maxEncodingDigits = 128; // k of the widest format

struct ValueInput {
    std::array<char, xTextLength> text{};
    std::size_t textLength = 0;
    std::array<char, maxEncodingDigits> digits{};
    std::size_t digitCount = 0; // may exceed maxEncodingDigits; only the first ones are kept
    bool strayCharacter = false;

    void clear() {
        textLength = 0;
        digitCount = 0;
        strayCharacter = false;
    }

    // Gathers what the reading needs: the X text, and the digits when the
    // value is an encoding.
    void feed(std::string_view piece, bool encoding);

    // The X text: the first 42 characters, blank-padded to 42.
    std::string_view xText();

    // The encoding of k digits (k = 32, 64 or 128) that the digits spell when
    // read right-aligned, the freed top bits 0; empty when there is no digit,
    // more than k digits, or a character other than 0, 1, blank and "_".
    std::string_view encoding(std::size_t k);

private:
    std::array<char, maxEncodingDigits> encoded_{};
};

} // namespace bitscope::cli
