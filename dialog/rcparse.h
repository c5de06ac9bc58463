// SPDX-License-Identifier: MIT
// Reads the dialog templates of a resource script (resources/bitscope.rc).
//
// The language read is the part of the resource-script language that dialog
// templates need:
//
//   id DIALOGEX x, y, w, h [, helpId]      (or DIALOG x, y, w, h)
//   STYLE style-expression                 (any order, each optional)
//   EXSTYLE style-expression
//   CAPTION "text"
//   FONT points, "face" [, weight, italic [, charset]]
//   BEGIN                                  (or {)
//     CONTROL "title" | number, id, "class" | class, style-expression, x, y, w, h [, exstyle [, helpId]]
//   END                                    (or })
//
// A style expression is names or numbers joined by "|", each optionally
// preceded by NOT, which clears those bits instead of setting them. A CONTROL's
// style starts as WS_CHILD | WS_VISIBLE, a dialog's as WS_POPUP | WS_BORDER |
// WS_SYSMENU when it has no STYLE; FONT adds DS_SETFONT. Strings take "" or \"
// for a quote and the escapes \n \t \r \\. Comments are // and /* */. Keywords
// are not case-sensitive; style names are. In a plain DIALOG the control ids are
// 16-bit unsigned, as in the plain binary template (so -1 reads as 65535).
//
// Any input, including arbitrary bytes, either parses or gives one error with
// the line where it was found; nothing else happens.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/dlgtemplate.h"

namespace bitscope {

struct RcParseError {
  int line = 0;        // 1-based line of the input where the fault is
  std::string reason;  // what was wrong, e.g. "expected ',' after the control id"
};

struct RcParseResult {
  std::vector<DialogTemplate> dialogs;  // in script order; empty on error
  std::optional<RcParseError> error;
};

RcParseResult parseResourceScript(std::string_view script);

// "line N: reason", for reports.
std::string describe(const RcParseError& error);

// The longest title an item keeps; longer ones are cut.
inline constexpr std::size_t maxTemplateTitle = 256;

}  // namespace bitscope
