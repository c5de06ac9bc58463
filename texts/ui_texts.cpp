// SPDX-License-Identifier: MIT
#include "texts/ui_texts.h"

#include "dialog/dlglow.h"
#include "state/appstate.h"
#include "state/control_ids.h"
#include "textmodel/blank_padded.h"
#include "texts/accessible_texts.h"

namespace bitscope {

namespace {

// Where each slot goes: control 0 is the window title. The check box shows its
// text as its caption; every other target takes it as its default text.
struct SlotTarget {
  int controlId;
  int property;
  std::string_view romanian;
  std::string_view english;
};

// The Romanian texts have no diacritics on purpose: the program's code page,
// Windows-1252, has no ă, ș or ț, so the words are written as plain letters.
constexpr std::array<SlotTarget, uiTextSlots> slotTable{{
    {0, PROP_DEFAULT, "Bitscope (Format binar)", "Bitscope (Binary Format)"},
    {ctl::dataGroup, PROP_DEFAULT, "Data", "Datum"},
    {ctl::representationGroup, PROP_DEFAULT, "Reprezentare FP", "FP Representation"},
    {ctl::formatGroup, PROP_DEFAULT, "Format", "Format"},
    {ctl::formatHeading, PROP_DEFAULT, "Biti        Nume", "Bits       Name"},
    {ctl::dataTypeLabel, PROP_DEFAULT, "Tip data  (click pe un camp din format)",
     "Data Type  (click a format field) "},
    {ctl::parameterLabel, PROP_DEFAULT, "Parametru  (Numere finite)", "Parameter  (Finite Numbers)"},
    {ctl::neighbourBits, PROP_TITLE, "Binar: X+ -", "Binary: X+ -"},
    {ctl::allFieldsRadio, PROP_DEFAULT, "Toate campurile", "All Fields"},
    {ctl::currentFieldRadio, PROP_DEFAULT, "Campul curent  (click pe un camp)",
     "Current Field  (click a field)"},
    {ctl::caretHeading, PROP_DEFAULT, "Pozitie cursor in camp\n(msb = 1)",
     "Cursor Position in Field\n(msb = 1)"},
    {ctl::caretLabel, PROP_DEFAULT, "Pozitie (Modificare /Actualizare)", "Position\n(Change/Update)"},
    {ctl::widthLabel, PROP_DEFAULT, "Latime camp", "Field Width"},
    {ctl::aboutButton, PROP_DEFAULT, "DESPRE", "ABOUT"},
}};

BilingualText padded(std::string_view romanian, std::string_view english, std::size_t width) {
  return {paddedTo(romanian, width), paddedTo(english, width)};
}

}  // namespace

UiTexts& uiTexts() {
  static UiTexts texts;
  return texts;
}

void fillLanguageTexts() {
  UiTexts& texts = uiTexts();
  for (std::size_t slot = 0; slot < uiTextSlots; ++slot)
    texts[slot] = padded(slotTable[slot].romanian, slotTable[slot].english, uiTextWidth);

  BitMessages& messages = appState().bitMessages;
  messages.invalidCharacter =
      padded("Valoare invalida pentru bit !\n(Se inlocuieste cu \"1\")",
             "Invalid input for bit !\n(It is being replaced by \"1\")", bitMessageWidth);
  messages.excessBit = padded("1 Bit in plus !\n(Ultimul bit se elimina)",
                              "1 Bit in Excess !\n(The last bit is being removed)", bitMessageWidth);
  messages.title = padded("Eroare", "Error", bitMessageWidth);
}

void applyLanguage(DialogObject& dialog) {
  const Language language = appState().language;
  const UiTexts& texts = uiTexts();
  DLGSETCAPTION(dialog, texts[0].in(language));
  // The toolkit's own windows and buttons (file chooser, standard buttons) too.
  lowSetLanguage(language == Language::Romanian ? "ro" : "en");
  for (std::size_t slot = 1; slot < uiTextSlots; ++slot)
    DLGSETVALUE(dialog, slotTable[slot].controlId, texts[slot].in(language), slotTable[slot].property);
  applyMainAccessibleTexts(dialog);
}

}  // namespace bitscope
