// SPDX-License-Identifier: MIT
// A control's tooltip, made when it is about to show, and an item of the
// control's context menu that copies a text the tooltip may only show in part.
#pragma once

#include <functional>
#include <string>

namespace bitscope {

struct ToolTipSource {
  // The text for the character under the mouse: its 0-based index in an edit
  // box, -1 past the last character or on any other control. Empty: no tooltip.
  std::function<std::string(int character)> text;
  // When not empty, the label of a context-menu item that puts copyText() on
  // the clipboard; copyText() empty leaves the item disabled.
  std::string copyLabel;
  std::function<std::string()> copyText;
};

}  // namespace bitscope
