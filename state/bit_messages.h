// SPDX-License-Identifier: MIT
// The two messages of the Binary32 bit-box validation and their box title, in both
// languages (filled by fillLanguageTexts, shown by the validation).
#pragma once

#include <cstddef>

#include "engine/language.h"

namespace bitscope {

inline constexpr std::size_t bitMessageWidth = 80;

struct BitMessages {
  BilingualText invalidCharacter;  // a character other than "0", "1" or blank was replaced
  BilingualText excessBit;         // one character more than the field holds was removed
  BilingualText title;
};

}  // namespace bitscope
