// SPDX-License-Identifier: MIT
// Fuzz target: the resource-script parser on arbitrary bytes. Checked besides the
// sanitizers:
// 1. A failed parse gives no dialogs, and names a line of the input (1 to the number of
//    lines) and a reason.
// 2. A parsed dialog's item titles are at most maxTemplateTitle characters.
// 3. Lines are counted right: with a line feed put in front, a failure moves one line down
//    and a success gives the same dialogs.
// 4. A parsed script followed by a comment on a line of its own parses to the same dialogs.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "dialog/rcparse.h"

namespace {

using namespace bitscope;

[[noreturn]] void fault(const char* what, const RcParseResult& result) {
  std::fprintf(stderr, "resource script: %s (%s)\n", what,
               result.error ? describe(*result.error).c_str() : "parsed");
  std::abort();
}

bool sameItems(const TemplateItem& a, const TemplateItem& b) {
  return a.controlClass == b.controlClass && a.className == b.className && a.style == b.style &&
         a.exStyle == b.exStyle && a.id == b.id && a.title == b.title &&
         a.titleIsResource == b.titleIsResource && a.resourceNumber == b.resourceNumber && a.x == b.x &&
         a.y == b.y && a.width == b.width && a.height == b.height;
}

bool sameDialogs(const std::vector<DialogTemplate>& a, const std::vector<DialogTemplate>& b) {
  return std::equal(
      a.begin(), a.end(), b.begin(), b.end(), [](const DialogTemplate& x, const DialogTemplate& y) {
        return x.id == y.id && x.caption == y.caption && x.style == y.style && x.exStyle == y.exStyle &&
               x.fontName == y.fontName && x.fontPointSize == y.fontPointSize &&
               x.fontWeight == y.fontWeight && x.fontItalic == y.fontItalic && x.x == y.x && x.y == y.y &&
               x.width == y.width && x.height == y.height &&
               std::equal(x.items.begin(), x.items.end(), y.items.begin(), y.items.end(), sameItems);
      });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string script(reinterpret_cast<const char*>(data), size);
  const RcParseResult result = parseResourceScript(script);
  const RcParseResult shifted = parseResourceScript("\n" + script);

  if (result.error) {
    // 1.
    const int lines = 1 + static_cast<int>(std::count(script.begin(), script.end(), '\n'));
    if (!result.dialogs.empty()) fault("dialogs given with an error", result);
    if (result.error->line < 1 || result.error->line > lines)
      fault("error on a line outside the input", result);
    if (result.error->reason.empty()) fault("error without a reason", result);
    // 3.
    if (!shifted.error || shifted.error->line != result.error->line + 1 ||
        shifted.error->reason != result.error->reason)
      fault("a line feed in front changes the error", shifted);
    return 0;
  }

  // 2.
  for (const DialogTemplate& dialog : result.dialogs)
    for (const TemplateItem& item : dialog.items)
      if (item.title.size() > maxTemplateTitle) fault("title longer than the limit", result);
  // 3.
  if (shifted.error || !sameDialogs(shifted.dialogs, result.dialogs))
    fault("a line feed in front changes the dialogs", shifted);
  // 4.
  const RcParseResult commented = parseResourceScript(script + "\n// end\n");
  if (commented.error || !sameDialogs(commented.dialogs, result.dialogs))
    fault("a comment after the script changes the dialogs", commented);
  return 0;
}
