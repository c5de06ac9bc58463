// SPDX-License-Identifier: MIT
#include "texts/accessible_texts.h"

#include <string>

#include "state/appstate.h"
#include "state/control_ids.h"
#include "state/format_boxes.h"

namespace bitscope {

namespace {

// One control's texts; "%F" stands for the current format's name. An empty name
// leaves the control heard by its caption.
struct ControlTexts {
  int controlId;
  BilingualText name;
  BilingualText description;
};

const ControlTexts mainTexts[] = {
    {30001, {}, {"Inchide programul", "Closes the program"}},
    {ctl::xEntry,
     {"X (numar zecimal)", "X (decimal number)"},
     {"Numarul zecimal reprezentat in %F", "The decimal number stored in %F"}},
    {ctl::binary32Radio, {}, {"Arata formatul Binary32, pe 32 de biti", "Shows the 32-bit Binary32 format"}},
    {ctl::binary64Radio, {}, {"Arata formatul Binary64, pe 64 de biti", "Shows the 64-bit Binary64 format"}},
    {ctl::binary128Radio,
     {},
     {"Arata formatul Binary128, pe 128 de biti", "Shows the 128-bit Binary128 format"}},
    {ctl::fillZeros,
     {},
     {"Umple cu 0 campul curent sau toate campurile", "Fills the current field, or all fields, with 0s"}},
    {ctl::fillOnes,
     {},
     {"Umple cu 1 campul curent sau toate campurile", "Fills the current field, or all fields, with 1s"}},
    {ctl::invertBits,
     {},
     {"Inverseaza bitii campului curent sau ai tuturor campurilor",
      "Inverts the bits of the current field, or of all fields"}},
    {ctl::dataType,
     {"Tip data", "Data type"},
     {"Tipul datei codificate de campurile %F", "The kind of datum the %F fields encode"}},
    {ctl::aboutButton, {}, {"Arata informatii despre program", "Shows information about the program"}},
    {ctl::helpButton,
     {"Ajutor: ghidul ULP", "Help: ULP guide"},
     {"Deschide ghidul ilustrat (PDF)", "Opens the illustrated guide (PDF)"}},
    {ctl::caretPosition,
     {"Pozitie cursor in camp (msb = 1)", "Cursor position in field (msb = 1)"},
     {"Locul ultimei modificari in campul curent", "Where the current field was last changed or updated"}},
    {ctl::fieldWidthBox,
     {"Latime camp", "Field width"},
     {"Numarul de biti ai campului curent", "The number of bits of the current field"}},
    {ctl::neighbourBits, {}, {"Arata X+ si X- in binar", "Shows X+ and X- as bits"}},
    {ctl::parameterList,
     {"Parametru (numere finite)", "Parameter (finite numbers)"},
     {"Alegeti marimea aratata in caseta de valoare", "Choose the quantity shown in the value box"}},
    {ctl::summaryButton,
     {"Rezumatul datelor in virgula flotanta", "Floating-point data summary"},
     {"Deschide rezumatul claselor de date si al codificarilor lor",
      "Opens a summary of the classes of floating-point data and their encodings"}},
    {ctl::allFieldsRadio,
     {},
     {"Butoanele 0's, 1's si 0 <--> 1 lucreaza pe toate campurile",
      "The 0's, 1's and 0 <--> 1 buttons work on all fields"}},
    {ctl::currentFieldRadio,
     {},
     {"Butoanele 0's, 1's si 0 <--> 1 lucreaza pe campul ales ultima data",
      "The 0's, 1's and 0 <--> 1 buttons work on the field clicked last"}},
    {ctl::romanianRadio, {}, {"Interfata in limba romana", "Romanian interface"}},
    {ctl::englishRadio, {}, {"Interfata in limba engleza", "English interface"}},
};

const BilingualText noItemName{"Valoarea parametrului", "Parameter value"};
const BilingualText valueBoxDescription{"Valoarea parametrului ales din lista",
                                        "The value of the parameter chosen in the list"};

constexpr int aboutIconId = -1;
constexpr int summaryFrameId = -1;

const ControlTexts aboutTexts[] = {
    {1, {}, {"Inchide fereastra", "Closes this window"}},
    {aboutIconId, {"Pictograma Bitscope", "Bitscope icon"}, {}},
};

const ControlTexts summaryTexts[] = {
    {1, {}, {"Inchide rezumatul", "Closes the summary"}},
    {ctl::saveSummaryButton,
     {},
     {"Salveaza rezumatul intr-un fisier text", "Saves the summary to a text file"}},
    {summaryFrameId, {"Rezumat", "Summary"}, {}},
};

std::string formatName(int formatBytes) { return "Binary" + std::to_string(formatBytes * 8); }

std::string withFormat(std::string text, const std::string& format) {
  if (const std::size_t at = text.find("%F"); at != std::string::npos) text.replace(at, 2, format);
  return text;
}

bool namesFormat(const ControlTexts& texts) {
  return texts.name.romanian.find("%F") != std::string::npos ||
         texts.description.romanian.find("%F") != std::string::npos;
}

void apply(DialogObject& dialog, const ControlTexts& texts, Language language, const std::string& format) {
  AccessibleText text;
  text.name = withFormat(texts.name.in(language), format);
  text.description = withFormat(texts.description.in(language), format);
  DLGSETACCESSIBLETEXT(dialog, texts.controlId, text);
}

// The bit boxes' texts; a name is the format's name, then the field's, then its width
// or the bits the box holds.
const BilingualText caretAtBit{"Cursorul este la bitul %1.", "Caret at bit %1."};
const BilingualText caretAfterBit{"Cursorul este dupa bitul %1.", "Caret after bit %1."};
const BilingualText signName{" bitul de semn S", " sign bit S"};
const BilingualText signDescription{"0 pentru pozitiv, 1 pentru negativ.", "0 for positive, 1 for negative."};
const BilingualText exponentName{" campul exponent E, ", " exponent field E, "};
const BilingualText exponentDescription{"Exponentul deplasat, msb primul.",
                                        "The biased exponent, msb first."};
const BilingualText significandName{" semnificandul T, ", " trailing significand T, "};
const BilingualText splitSignificandName{" semnificandul T, bitii ", " trailing significand, bits "};
const BilingualText significandDescription{"Bitii semnificandului, msb primul.",
                                           "The significand's bits, msb first."};
const BilingualText bitsUnit{" biti", " bits"};
const BilingualText bitRangeTo{" - ", " to "};

// A bit box: its field by name and width, and the bit at the caret, counted from
// the field's msb as 1 (the low Binary128 significand box goes on from bit 49).
AccessibleText bitBoxText(const FormatSpec& format, int boxId, Language language) {
  const std::string name = formatName(format.formatBytes);
  AccessibleText text;
  text.caretNote = caretAtBit.in(language);
  text.endNote = caretAfterBit.in(language);
  const FormatBoxes& boxes = boxesOf(format);
  if (boxId == boxes.signBox) {
    text.name = name + signName.in(language);
    text.description = signDescription.in(language);
    return text;
  }
  if (boxId == boxes.exponentBox) {
    text.name = name + exponentName.in(language) + std::to_string(format.w) + bitsUnit.in(language);
    text.description = exponentDescription.in(language);
    return text;
  }
  text.description = significandDescription.in(language);
  if (boxes.significandBoxCount() == 1) {
    text.name = name + significandName.in(language) + std::to_string(format.t) + bitsUnit.in(language);
    return text;
  }
  const bool low = boxId == boxes.significandBoxes[1];
  const int first = low ? boxes.significandBoxWidths[0] + 1 : 1;
  const int last = low ? format.t : boxes.significandBoxWidths[0];
  text.firstIndex = first;
  text.name = name + splitSignificandName.in(language) + std::to_string(first) + bitRangeTo.in(language) +
              std::to_string(last);
  return text;
}

}  // namespace

void applyMainAccessibleTexts(DialogObject& main) {
  const AppState& state = appState();
  const std::string format = formatName(state.formatBytes);
  for (const ControlTexts& texts : mainTexts) apply(main, texts, state.language, format);
  for (const FormatSpec* spec : {&binary32Spec, &binary64Spec, &binary128Spec}) {
    const FormatBoxes& boxes = boxesOf(*spec);
    DLGSETACCESSIBLETEXT(main, boxes.signBox, bitBoxText(*spec, boxes.signBox, state.language));
    DLGSETACCESSIBLETEXT(main, boxes.exponentBox, bitBoxText(*spec, boxes.exponentBox, state.language));
    for (int i = 0; i < boxes.significandBoxCount(); ++i) {
      const int box = boxes.significandBoxes[static_cast<std::size_t>(i)];
      DLGSETACCESSIBLETEXT(main, box, bitBoxText(*spec, box, state.language));
    }
  }
  nameValueBox(main);
}

void applyFormatAccessibleTexts(DialogObject& main) {
  const AppState& state = appState();
  const std::string format = formatName(state.formatBytes);
  for (const ControlTexts& texts : mainTexts)
    if (namesFormat(texts)) apply(main, texts, state.language, format);
}

void nameValueBox(DialogObject& main) {
  const AppState& state = appState();
  AccessibleText text;
  const auto items = parameterListItems(state.language);
  if (state.listItem >= 1 && static_cast<std::size_t>(state.listItem) <= items.size())
    text.name = items[static_cast<std::size_t>(state.listItem - 1)];
  else
    text.name = noItemName.in(state.language);
  text.description = valueBoxDescription.in(state.language);
  DLGSETACCESSIBLETEXT(main, ctl::viewValue, text);
}

void applyAboutAccessibleTexts(DialogObject& about, Language language) {
  for (const ControlTexts& texts : aboutTexts) apply(about, texts, language, {});
}

void applySummaryAccessibleTexts(DialogObject& summary, Language language) {
  for (const ControlTexts& texts : summaryTexts) apply(summary, texts, language, {});
}

}  // namespace bitscope
