// SPDX-License-Identifier: MIT
#include "textmodel/blank_padded.h"

namespace bitscope {

std::string_view withoutTrailingBlanks(std::string_view text) {
  const std::size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string_view withoutLeadingBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view withoutOuterBlanks(std::string_view text) {
  return withoutLeadingBlanks(withoutTrailingBlanks(text));
}

std::string paddedTo(std::string_view text, std::size_t length) {
  std::string out(text.substr(0, length));
  out.resize(length, ' ');
  return out;
}

}  // namespace bitscope
