// SPDX-License-Identifier: MIT
// The window's split of the Binary128 significand across its two boxes, and the significand
// view read from them as they stand.
#include <gtest/gtest.h>

#include <string>

#include "engine/engine.h"
#include "state/control_ids.h"
#include "state/format_boxes.h"

namespace bitscope {
namespace {

TEST(FormatBoxes, Binary128SplitsTIntoTheTwoBoxes) {
  const BitFields f = encodeBits(Binary128(1.75));  // T = 11000...
  EXPECT_EQ(significandBoxText(binary128Spec, f, 0), "11" + std::string(46, '0'));
  EXPECT_EQ(significandBoxText(binary128Spec, f, 1), std::string(64, '0'));
  const BitFields boxes = bitFieldsFromBoxes(binary128Spec, "0", std::string(15, '1'), "1", "1");
  std::string t(112, ' ');  // each box blank-padded to its width, T2 starting at 49
  t[0] = t[48] = '1';
  EXPECT_EQ(boxes.T, t);
  EXPECT_EQ(significandBoxText(binary128Spec, boxes, 1), "1" + std::string(63, ' '));
  // The single boxes take T whole, and the table names the window's controls.
  EXPECT_EQ(bitFieldsFromBoxes(binary32Spec, "1", "10", "1").T, "1" + std::string(22, ' '));
  EXPECT_EQ(boxesOf(binary64Spec).significandBoxCount(), 1);
  EXPECT_EQ(boxesOf(binary128Spec).significandBoxes[1], ctl::significand128Low);
}

// A short second box moves only its own digits: T2 "0...01" of 63 characters is 1, and the
// leading bit of T1 keeps its weight 2^-1 (read whole, it would drop to 2^-2).
TEST(FormatBoxes, EachSignificandBoxIsReadAsItsOwnNumber) {
  const BitFields fields = bitFieldsFromBoxes(binary128Spec, "0", "011111111111111",
                                              "1" + std::string(47, '0'), std::string(62, '0') + "1");
  const Classification flags = classifyBits(binary128Spec, fields);
  EXPECT_EQ(significandView(16, fields, flags, Language::English).value,
            "1.5" + std::string(32, '0') + "E+00");
}

}  // namespace
}  // namespace bitscope
