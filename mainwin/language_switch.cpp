// SPDX-License-Identifier: MIT
// The language radios: every text of the main window that depends on the language is
// rewritten at once; the other windows follow when they are next opened.
#include "mainwin/language_switch.h"

#include <string>

#include "mainwin/tooltips.h"
#include "state/appstate.h"
#include "state/control_ids.h"
#include "textmodel/blank_padded.h"
#include "texts/ui_texts.h"

namespace bitscope {

namespace {

constexpr int significandItem = 2;

// The Binary64 significand box still shows the other language's field name (and no
// bits): give it this language's name.
void exchangePlaceholder(DialogObject& dialog, Language language) {
  std::string shown;
  DLGGETVALUE(dialog, ctl::significand64, shown, 40);
  const std::string_view name = withoutLeadingBlanks(shown);
  if (language == Language::Romanian && name.starts_with("Trailing"))
    DLGSETVALUE(dialog, ctl::significand64, significandPlaceholderRo);
  if (language == Language::English && name.starts_with("Semnificand"))
    DLGSETVALUE(dialog, ctl::significand64, significandPlaceholderEn);
}

}  // namespace

void onLanguageRadio(DialogObject& dialog, int controlId) {
  AppState& state = appState();
  // 1. The language (its two mirrors are views of it).
  state.language = controlId == ctl::romanianRadio ? Language::Romanian : Language::English;

  // 2. Title and labels.
  applyLanguage(dialog);
  applyMainToolTips(dialog);

  // 3. The one list item that has two languages.
  const std::string significandName = parameterListItems(state.language)[significandItem - 1];
  DLGSETVALUE(dialog, ctl::parameterList, significandName, significandItem);

  // 4. The Binary64 placeholder.
  exchangePlaceholder(dialog, state.language);

  // 5. The data type in the new language. An empty box means the bits have changed
  //    since they were last classified (X typed, format switched, or never decoded):
  //    the stale classification is not shown then, it would name the wrong kind of datum.
  state.dataTypeText = describeDataType(state.formatBytes, state.flags);
  int shownLength = 0;
  DLGGETVALUE(dialog, ctl::dataType, shownLength, PROP_TEXTLENGTH);
  if (shownLength > 0) DLGSETVALUE(dialog, ctl::dataType, state.dataTypeText.in(state.language));

  // 6. The caption of the significand view, when that view is selected.
  int selected = 0;
  DLGGETVALUE(dialog, ctl::parameterList, selected, 1);
  if (selected == significandItem) DLGSETVALUE(dialog, ctl::viewCaption, significandName);
}

}  // namespace bitscope
