// SPDX-License-Identifier: MIT
// The main window's bit boxes of each format: the controls that show S, E and T, and how a
// significand too long for one box is split across two (Binary128: T1 shows bits 1 to 48,
// T2 bits 49 to 112). The engine knows the formats' numbers; which boxes show them is the
// window's business.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/bitfields.h"
#include "engine/format.h"

namespace bitscope {

struct FormatBoxes {
  int signBox;
  int exponentBox;
  // Most significant part first, and the characters each shows; one box: second id and
  // width 0.
  std::array<int, 2> significandBoxes;
  std::array<int, 2> significandBoxWidths;

  constexpr int significandBoxCount() const { return significandBoxes[1] == 0 ? 1 : 2; }
};

// The boxes of one of the window's formats (Binary32, Binary64, Binary128).
const FormatBoxes& boxesOf(const FormatSpec& format);

// The texts of a format's bit boxes as BitFields, each box cut or blank-padded to its width
// (S to 1, E to w, each significand box to its width), so that T1 and T2 keep their places
// in T whatever their lengths; a split significand is read as its two boxes are. t2 is used
// by Binary128 only.
BitFields bitFieldsFromBoxes(const FormatSpec& format, std::string_view s, std::string_view e,
                             std::string_view t1, std::string_view t2 = {});

// The text of significand box `part` (0 or 1) for an encoding: its characters of T, cut or
// blank-padded to the box's width.
std::string significandBoxText(const FormatSpec& format, const BitFields& fields, int part);

}  // namespace bitscope
