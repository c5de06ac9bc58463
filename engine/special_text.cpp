// SPDX-License-Identifier: MIT
#include <algorithm>
#include <array>

#include "engine/decimal_text.h"
#include "textmodel/blank_padded.h"

namespace bitscope {

std::string makeXText(std::string_view typed) { return paddedTo(typed, xTextLength); }

namespace {

bool isOneOf(std::string_view head, const auto& names) {
  return std::find(names.begin(), names.end(), head) != names.end();
}

}  // namespace

void detectSpecialText(std::string_view xText, SpecialText& special) {
  static constexpr std::array<std::string_view, 8> nanNames{"NaN", "Nan", "nan", "naN",
                                                            "+Na", "+na", "-Na", "-na"};
  static constexpr std::array<std::string_view, 6> infNames{"Inf", "inf", "+In", "+in", "-In", "-in"};
  // The first three characters, compared exactly; a shorter text is blank-padded.
  const std::string head = paddedTo(xText, 3);
  const char sign = head[0] == '-' ? '1' : '0';

  special.isNaN = isOneOf(head, nanNames);
  special.nanSignChar = sign;
  if (special.isNaN) {
    special.isInfinite = false;  // infSignChar deliberately keeps its previous value
  } else {
    special.isInfinite = isOneOf(head, infNames);
    special.infSignChar = sign;
  }
}

void showSpecialEncoding(const FormatSpec& format, const SpecialText& special, BitFields& fields) {
  fields.S.assign(1, special.isInfinite ? special.infSignChar : special.nanSignChar);
  fields.E.assign(static_cast<std::size_t>(format.w), '1');
  fields.T.assign(static_cast<std::size_t>(format.t), special.isInfinite ? '0' : '1');
}

void showSpecialEncoding(int formatBytes, const SpecialText& special, BitFields& fields) {
  const FormatSpec* format = findFormat(formatBytes);
  if (format == nullptr) {
    fields = BitFields{};
    return;
  }
  showSpecialEncoding(*format, special, fields);
}

BitFields showSpecialEncoding(int formatBytes, const SpecialText& special) {
  BitFields fields;
  showSpecialEncoding(formatBytes, special, fields);
  return fields;
}

}  // namespace bitscope
