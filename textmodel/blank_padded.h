// SPDX-License-Identifier: MIT
// The program's texts are fixed-length fields padded with blanks, in which
// trailing blanks carry no meaning: every cut and pad of such a text goes
// through these, so that all of them agree on what a blank is (the one
// character ' ', never a tab or a NUL).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace bitscope {

// Views into text: they live only as long as the text they were cut from.
std::string_view withoutTrailingBlanks(std::string_view text);
std::string_view withoutLeadingBlanks(std::string_view text);
std::string_view withoutOuterBlanks(std::string_view text);

// The text cut or blank-padded to exactly length characters.
std::string paddedTo(std::string_view text, std::size_t length);

}  // namespace bitscope
