#include "dialog/texts.h"

#include "dialog/dialog.h"

namespace bitscope {

std::string withoutTrailingBlanks(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1));
}

std::string paddedTo(std::string_view text, std::size_t length) {
  std::string out(text.substr(0, length));
  out.resize(length, ' ');
  return out;
}

std::string listItem(std::string_view text) { return paddedTo(text, listItemWidth); }

std::string blankItem() { return std::string(listItemWidth, ' '); }

}  // namespace bitscope
