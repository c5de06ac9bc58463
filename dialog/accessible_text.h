// SPDX-License-Identifier: MIT
// What an assistive technology (a screen reader) says of a control beyond what
// the control shows: a name where the control shows none or an icon, a
// description, and for an edit box of bits a note on the place of the caret.
#pragma once

#include <string>

namespace bitscope {

struct AccessibleText {
  // Empty: the control's caption, exactly as shown (a label's name is always
  // its text, so what is heard is what is seen).
  std::string name;
  std::string description;
  // Edit boxes: appended to the description and kept current as the caret
  // moves. "%1" stands for the index of the character after the caret,
  // counted from firstIndex; past the last character endNote is used instead,
  // with the index of the last one.
  std::string caretNote;
  std::string endNote;
  int firstIndex = 1;

  bool operator==(const AccessibleText&) const = default;
};

// The description as it reads with the caret before character caret (0-based)
// of a text of length characters.
std::string describedWithCaret(const AccessibleText& text, int caret, int length);

}  // namespace bitscope
