// SPDX-License-Identifier: MIT
// The texts of the main window's tooltips and of the copy item of its context
// menus, in both languages.
#pragma once

#include <string>
#include <string_view>

#include "engine/language.h"

namespace bitscope {

// An exact value cut to this many characters before its exponent, "..." after.
inline constexpr std::size_t exactTipLength = 60;

// "Stored exactly: 0.100000001490116119384765625", the value shortened.
std::string exactValueTip(std::string_view exact, Language language);
// The line added after a decimal read: "Conversion error: +0.2 ULP".
std::string conversionErrorTip(std::string_view ulps, Language language);
const std::string& copyExactLabel(Language language);

// The bit at 1-based index of a field, counted from its most significant bit.
std::string signBitTip(Language language);
std::string exponentBitTip(int index, int weightExponent, Language language);
std::string significandBitTip(int index, Language language);

}  // namespace bitscope
