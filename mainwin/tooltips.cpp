// SPDX-License-Identifier: MIT
#include "mainwin/tooltips.h"

#include "engine/decimal_scanner.h"
#include "mainwin/bit_boxes.h"
#include "state/appstate.h"
#include "state/control_ids.h"
#include "state/format_boxes.h"
#include "texts/tooltip_texts.h"

namespace bitscope {

namespace {

// The tooltip's error is for reading, not for checking digits.
constexpr int errorUlpsDigits = 3;

// What the bit boxes hold, which is what X stores even while the X text is
// still being typed or the boxes wait for a decode after a format switch.
EncodingBits boxesEncoding(const FormatSpec& format) {
  FormatValues values;
  decodeBits(format.formatBytes, readBitBoxes(mainDialog(), format), values);
  return encodingOfSlot(format.formatBytes, values);
}

// The exact value of X and of the neighbour views, in full.
std::string exactXText() {
  const FormatSpec* format = findFormat(appState().formatBytes);
  if (format == nullptr) return {};
  const EncodingBits bits = boxesEncoding(*format);
  return isFiniteEncoding(*format, bits) ? exactValueText(*format, bits) : std::string();
}

// The value the value box shows, when it shows one of the format's values.
bool shownValue(const AppState& state, FormatValues& shown) {
  switch (static_cast<ParameterItem>(state.listItem)) {
    case ParameterItem::NextUp:
      shown = nextUp(state.formatBytes, state.values);
      return true;
    case ParameterItem::NextDown:
      shown = nextDown(state.formatBytes, state.values);
      return true;
    case ParameterItem::XPlusDelta:
      shown = plusDelta(state.formatBytes, state.values);
      return true;
    default:
      return false;
  }
}

std::string exactValueBoxText() {
  const AppState& state = appState();
  const FormatSpec* format = findFormat(state.formatBytes);
  FormatValues shown;
  if (format == nullptr || !shownValue(state, shown)) return {};
  const EncodingBits bits = encodingOfSlot(state.formatBytes, shown);
  return isFiniteEncoding(*format, bits) ? exactValueText(*format, bits) : std::string();
}

const FormatSpec* formatOfBox(int boxId) {
  for (const FormatSpec* format : {&binary32Spec, &binary64Spec, &binary128Spec})
    for (const BitBox& box : formatBoxes(*format))
      if (box.id == boxId) return format;
  return nullptr;
}

std::string xToolTip() {
  const AppState& state = appState();
  const FormatSpec* format = findFormat(state.formatBytes);
  if (format == nullptr) return {};
  const EncodingBits bits = boxesEncoding(*format);
  if (!isFiniteEncoding(*format, bits)) return {};
  std::string tip = exactValueTip(exactValueText(*format, bits), state.language);
  // The error belongs to the read that made these very bits, in this format.
  if (!state.readText.empty() && state.readFormatBytes == state.formatBytes && state.readBits == bits) {
    DecimalScanner scanner;
    scanner.feed(state.readText);
    const DecimalScanner::Digits typed = scanner.digits();
    if (typed.whole) {
      const ConversionError error = conversionError(
          *format, bits, exactFromDigits(typed.negative, typed.digits, typed.lastDigitExponent));
      tip += '\n' + conversionErrorTip(errorUlpsText(error, errorUlpsDigits), state.language);
    }
  }
  return tip;
}

std::string valueBoxToolTip() {
  const std::string exact = exactValueBoxText();
  return exact.empty() ? std::string() : exactValueTip(exact, appState().language);
}

std::string bitBoxToolTip(int boxId, int character) {
  const FormatSpec* format = formatOfBox(boxId);
  if (format == nullptr || character < 0) return {};
  const Language language = appState().language;
  const int index = character + 1;
  const FormatBoxes& boxes = boxesOf(*format);
  if (boxId == boxes.signBox) return signBitTip(language);
  if (boxId == boxes.exponentBox) return exponentBitTip(index, format->w - index, language);
  // The second box of a split significand continues the first.
  const int offset = boxId == boxes.significandBoxes[1] ? boxes.significandBoxWidths[0] : 0;
  return significandBitTip(index + offset, language);
}

}  // namespace

EncodingBits encodingOfSlot(int formatBytes, const FormatValues& values) {
  switch (formatBytes) {
    case 4:
      return encodingBitsOf(values.value32);
    case 8:
      return encodingBitsOf(values.value64);
    default:
      return encodingBitsOf(values.value128);
  }
}

void applyMainToolTips(DialogObject& main) {
  const std::string& copyLabel = copyExactLabel(appState().language);
  DLGSETTOOLTIP(main, ctl::xEntry, {[](int) { return xToolTip(); }, copyLabel, exactXText});
  DLGSETTOOLTIP(main, ctl::viewValue, {[](int) { return valueBoxToolTip(); }, copyLabel, exactValueBoxText});
  for (const int box : ctl::bitBoxes)
    DLGSETTOOLTIP(main, box, {[box](int character) { return bitBoxToolTip(box, character); }, {}, {}});
}

}  // namespace bitscope
