// SPDX-License-Identifier: MIT
// The layer's text conventions: texts are stored without trailing blanks,
// handed out blank-padded or cut to the receiver's length (text/blank_padded.h),
// and list items are fixed fields of listItemWidth characters.
#pragma once

#include <string>
#include <string_view>

namespace bitscope {

// The text as the layer stores it: up to the first NUL, trailing blanks dropped.
std::string storedText(std::string_view text);

// A list item: the text cut or blank-padded to listItemWidth characters.
std::string listItem(std::string_view text);
std::string blankItem();

}  // namespace bitscope
