// SPDX-License-Identifier: MIT
#include "mainwin/bit_validation.h"

#include <algorithm>
#include <array>
#include <span>

#include "mainwin/bit_boxes.h"
#include "state/appstate.h"
#include "state/control_ids.h"
#include "textmodel/blank_padded.h"

namespace bitscope {

namespace {

// How one box is checked. Its text is read into width + 1 characters, so that one
// character too many is seen; the character check covers the first `scanned` of
// them. The Binary32 boxes speak the current language; the others English in both
// languages, deliberately: only the Binary32 messages have a Romanian version.
struct BoxRule {
  int id;
  int width;
  int scanned;
  MessageIcon excessIcon;
  bool currentLanguage;
};

// Irregular on purpose, box by box: the excess icon is a warning only in the Binary32
// exponent and significand, and some boxes scan w characters, others w + 1. Keep them.
constexpr std::array<BoxRule, 3> rules32{{
    {ctl::sign32, 1, 1, MessageIcon::Error, true},
    {ctl::exponent32, 8, 9, MessageIcon::Warning, true},
    {ctl::significand32, 23, 24, MessageIcon::Warning, true},
}};
constexpr std::array<BoxRule, 3> rules64{{
    {ctl::sign64, 1, 1, MessageIcon::Error, false},
    {ctl::exponent64, 11, 11, MessageIcon::Error, false},
    {ctl::significand64, 52, 53, MessageIcon::Error, false},
}};
constexpr std::array<BoxRule, 4> rules128{{
    {ctl::sign128, 1, 1, MessageIcon::Error, false},
    {ctl::exponent128, 15, 15, MessageIcon::Error, false},
    {ctl::significand128High, 48, 49, MessageIcon::Error, false},
    {ctl::significand128Low, 64, 64, MessageIcon::Error, false},
}};

void tell(const BoxRule& rule, const BilingualText& message, MessageIcon icon) {
  const AppState& state = appState();
  const Language language = rule.currentLanguage ? state.language : Language::English;
  auto shown = [language](const BilingualText& text) {
    return std::string(withoutTrailingBlanks(text.in(language)));
  };
  lowMessageBox(shown(message), shown(state.bitMessages.title), icon, nullptr);
}

// Cuts the box back to its first `keep` characters, wherever the caret stood.
void keepFirst(DialogObject& dialog, int id, int keep) {
  DLGSETVALUE(dialog, id, readBox(dialog, id, keep + 1).substr(0, static_cast<std::size_t>(keep)),
              PROP_STATE);
}

void validateBox(DialogObject& dialog, const BoxRule& rule) {
  const BitMessages& messages = appState().bitMessages;
  // 1-2. The length before any repair, and the text with one character to spare.
  int length = 0;
  DLGGETVALUE(dialog, rule.id, length, PROP_TEXTLENGTH);
  std::string buffer = readBox(dialog, rule.id, rule.width + 1);

  // 3-4. Foreign characters become "1"; the box shows the repair behind the message.
  if (scanBitText(rule.scanned, buffer)) {
    DLGSETVALUE(dialog, rule.id, buffer.substr(0, static_cast<std::size_t>(rule.width)), PROP_STATE);
    DLGREFRESH(dialog, false);
    tell(rule, messages.invalidCharacter, MessageIcon::Warning);
  }

  // 5. One character too many: the first `width` stay. A sign box is cut before the
  //    message, the longer fields after it.
  if (length <= rule.width) return;
  if (rule.width == 1) {
    keepFirst(dialog, rule.id, 1);
    DLGREFRESH(dialog, false);
    tell(rule, messages.excessBit, rule.excessIcon);
  } else {
    tell(rule, messages.excessBit, rule.excessIcon);
    keepFirst(dialog, rule.id, rule.width);
  }
}

void validateWith(std::span<const BoxRule> rules, DialogObject& dialog, int controlId) {
  const auto rule =
      std::find_if(rules.begin(), rules.end(), [controlId](const BoxRule& r) { return r.id == controlId; });
  if (rule != rules.end()) validateBox(dialog, *rule);
}

}  // namespace

void validateBits32(DialogObject& dialog, int controlId) { validateWith(rules32, dialog, controlId); }
void validateBits64(DialogObject& dialog, int controlId) { validateWith(rules64, dialog, controlId); }
void validateBits128(DialogObject& dialog, int controlId) { validateWith(rules128, dialog, controlId); }

bool scanBitText(int count, std::string& buffer) {
  bool replaced = false;
  const std::size_t end = std::min(buffer.size(), static_cast<std::size_t>(std::max(count, 0)));
  for (std::size_t i = 0; i < end; ++i) {
    if (buffer[i] == '0' || buffer[i] == '1' || buffer[i] == ' ') continue;
    buffer[i] = '1';
    replaced = true;
  }
  return replaced;
}

}  // namespace bitscope
