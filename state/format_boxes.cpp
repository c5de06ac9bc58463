// SPDX-License-Identifier: MIT
#include "state/format_boxes.h"

#include <cassert>
#include <cstddef>

#include "state/control_ids.h"
#include "textmodel/blank_padded.h"

namespace bitscope {

namespace {

constexpr FormatBoxes binary32Boxes{ctl::sign32, ctl::exponent32, {ctl::significand32, 0}, {23, 0}};
constexpr FormatBoxes binary64Boxes{ctl::sign64, ctl::exponent64, {ctl::significand64, 0}, {52, 0}};
constexpr FormatBoxes binary128Boxes{
    ctl::sign128, ctl::exponent128, {ctl::significand128High, ctl::significand128Low}, {48, 64}};

// text cut or blank-padded to width characters.
std::string fitted(std::string_view text, int width) {
  return paddedTo(text, static_cast<std::size_t>(width));
}

}  // namespace

const FormatBoxes& boxesOf(const FormatSpec& format) {
  switch (format.formatBytes) {
    case 4:
      return binary32Boxes;
    case 8:
      return binary64Boxes;
    default:
      assert(format.formatBytes == 16);
      return binary128Boxes;
  }
}

BitFields bitFieldsFromBoxes(const FormatSpec& format, std::string_view s, std::string_view e,
                             std::string_view t1, std::string_view t2) {
  const FormatBoxes& boxes = boxesOf(format);
  BitFields fields{fitted(s, 1), fitted(e, format.w), fitted(t1, boxes.significandBoxWidths[0])};
  if (boxes.significandBoxCount() == 2) {
    fields.T += fitted(t2, boxes.significandBoxWidths[1]);
    fields.significandSplit = static_cast<std::size_t>(boxes.significandBoxWidths[0]);
  }
  return fields;
}

std::string significandBoxText(const FormatSpec& format, const BitFields& fields, int part) {
  const FormatBoxes& boxes = boxesOf(format);
  const auto first = part == 0 ? std::size_t{0} : static_cast<std::size_t>(boxes.significandBoxWidths[0]);
  const std::string_view rest =
      fields.T.size() > first ? std::string_view(fields.T).substr(first) : std::string_view();
  return fitted(rest, boxes.significandBoxWidths[static_cast<std::size_t>(part)]);
}

}  // namespace bitscope
