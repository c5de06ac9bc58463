// SPDX-License-Identifier: MIT
#include "dialog/accessible_text.h"

#include <algorithm>

namespace bitscope {

namespace {

std::string withIndex(const std::string& note, int index) {
  std::string out = note;
  if (const std::size_t at = out.find("%1"); at != std::string::npos)
    out.replace(at, 2, std::to_string(index));
  return out;
}

}  // namespace

std::string describedWithCaret(const AccessibleText& text, int caret, int length) {
  if (text.caretNote.empty()) return text.description;
  caret = std::clamp(caret, 0, std::max(length, 0));
  // An empty box still has a first place to type into.
  const bool pastEnd = length > 0 && caret == length;
  const std::string note = pastEnd ? withIndex(text.endNote, text.firstIndex + length - 1)
                                   : withIndex(text.caretNote, text.firstIndex + caret);
  return text.description.empty() ? note : text.description + " " + note;
}

}  // namespace bitscope
