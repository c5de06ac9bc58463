// SPDX-License-Identifier: MIT
#include "dialog/texts.h"

#include "dialog/dialog.h"
#include "textmodel/blank_padded.h"

namespace bitscope {

std::string storedText(std::string_view text) {
  return std::string(withoutTrailingBlanks(text.substr(0, text.find('\0'))));
}

std::string listItem(std::string_view text) { return paddedTo(text, listItemWidth); }

std::string blankItem() { return std::string(listItemWidth, ' '); }

}  // namespace bitscope
