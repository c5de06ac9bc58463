#include "mainwin/bit_boxes.h"

#include "mainwin/control_ids.h"
#include "mainwin/parameter_list.h"

namespace bitscope {

std::vector<BitBox> formatBoxes(const FormatSpec& format) {
  std::vector<BitBox> boxes{{format.signBox, 1}, {format.exponentBox, format.w}};
  for (int i = 0; i < format.significandBoxCount(); ++i)
    boxes.push_back({format.significandBoxes[static_cast<std::size_t>(i)],
                     format.significandBoxWidths[static_cast<std::size_t>(i)]});
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
  DLGSETVALUE(dialog, format.signBox, fields.S);
  DLGSETVALUE(dialog, format.exponentBox, fields.E);
  if (format.significandBoxCount() == 1) {
    DLGSETVALUE(dialog, format.significandBoxes[0], fields.T);
  } else {
    DLGSETVALUE(dialog, format.significandBoxes[0], fields.t1());
    DLGSETVALUE(dialog, format.significandBoxes[1], fields.t2());
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
