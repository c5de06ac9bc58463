// SPDX-License-Identifier: MIT
#include "mainwin/bit_boxes.h"

#include "mainwin/parameter_list.h"
#include "state/control_ids.h"
#include "state/format_boxes.h"

namespace bitscope {

std::vector<BitBox> formatBoxes(const FormatSpec& format) {
  const FormatBoxes& ids = boxesOf(format);
  std::vector<BitBox> boxes{{ids.signBox, 1}, {ids.exponentBox, format.w}};
  for (int i = 0; i < ids.significandBoxCount(); ++i)
    boxes.push_back({ids.significandBoxes[static_cast<std::size_t>(i)],
                     ids.significandBoxWidths[static_cast<std::size_t>(i)]});
  return boxes;
}

std::string readBox(DialogObject& dialog, int id, int width) {
  std::string text(static_cast<std::size_t>(width), ' ');
  DLGGETVALUE(dialog, id, text, width, PROP_STATE);
  return text;
}

BitFields readBitBoxes(DialogObject& dialog, const FormatSpec& format) {
  std::vector<std::string> texts;
  for (const BitBox& box : formatBoxes(format)) texts.push_back(readBox(dialog, box.id, box.width));
  texts.resize(4);  // no second significand box: an empty T2
  return bitFieldsFromBoxes(format, texts[0], texts[1], texts[2], texts[3]);
}

void writeBitBoxes(DialogObject& dialog, const FormatSpec& format, const BitFields& fields) {
  const FormatBoxes& ids = boxesOf(format);
  DLGSETVALUE(dialog, ids.signBox, fields.S);
  DLGSETVALUE(dialog, ids.exponentBox, fields.E);
  if (ids.significandBoxCount() == 1) {
    DLGSETVALUE(dialog, ids.significandBoxes[0], fields.T);
  } else {
    DLGSETVALUE(dialog, ids.significandBoxes[0], significandBoxText(format, fields, 0));
    DLGSETVALUE(dialog, ids.significandBoxes[1], significandBoxText(format, fields, 1));
  }
}

std::string numberText(int n) {
  std::string text = formatInteger(n);
  if (text.size() < 3) text.resize(3, ' ');
  return text;
}

void clearEncodingViews(DialogObject& dialog) {
  clearParameterView(dialog);
  DLGSETVALUE(dialog, ctl::neighbourBits, false);
  DLGSETVALUE(dialog, ctl::dataType, "");
  DLGSETVALUE(dialog, ctl::caretPosition, "");
}

}  // namespace bitscope
