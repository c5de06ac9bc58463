// SPDX-License-Identifier: MIT
// The 16-bit formats of bitscope-cli, binary16 (--format 16) and bfloat16
// (--format bf16). Expected figures are worked out by hand: 0.1 is stored as
// 1638 * 2^-14 in binary16 (0x2E66) and as 205 * 2^-11 in bfloat16 (0x3DCD).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_records.h"

namespace bitscope::testing {
namespace {

TEST(SixteenBitFormats, Binary16RecordHasEveryView) {
  const JsonRecord record = jsonRecordOf({"-f", "16", "--exact"}, "0.1");
  EXPECT_EQ(record["format"].kind, JsonField::Kind::number);
  EXPECT_EQ(record["format"].text, "16");
  EXPECT_EQ(text(record, "S") + " " + text(record, "E") + " " + text(record, "T"), "0 01011 1001100110");
  EXPECT_EQ(text(record, "hex"), "2E66");
  EXPECT_EQ(text(record, "type"), "Normalized Number: Real(2)");
  EXPECT_EQ(text(record, "x"), "+9.9976E-02");
  EXPECT_EQ(text(record, "exponent"), "-4");
  EXPECT_EQ(text(record, "significand"), "1.5996E+00");  // 1638 / 1024
  EXPECT_EQ(text(record, "ulp"), "6.1035E-05");          // 2^-14
  EXPECT_EQ(text(record, "next_up"), "1.0004E-01");      // 1639 * 2^-14
  EXPECT_EQ(text(record, "next_up_bits"), "0_01011_1001100111");
  EXPECT_EQ(text(record, "next_down_bits"), "0_01011_1001100101");
  EXPECT_EQ(text(record, "delta"), "3.0577E-05");  // even significand: 2^-15 + 2^-25
  EXPECT_EQ(text(record, "exact"), "0.0999755859375");
  EXPECT_EQ(text(record, "error"), "-0.0000244140625");  // 0.4 * 2^-14 below 0.1
  EXPECT_EQ(text(record, "error_ulps"), "-0.4 ULP");
  EXPECT_EQ(text(record, "interval_low"), "0.099945068359375");
}

TEST(SixteenBitFormats, BFloat16IsNamedByAString) {
  const JsonRecord record = jsonRecordOf({"--format=bf16"}, "0.1");
  EXPECT_EQ(record["format"].kind, JsonField::Kind::string);
  EXPECT_EQ(text(record, "format"), "bf16");
  EXPECT_EQ(text(record, "S") + " " + text(record, "E") + " " + text(record, "T"), "0 01111011 1001101");
  EXPECT_EQ(text(record, "hex"), "3DCD");
  EXPECT_EQ(text(record, "x"), "+1.001E-01");
  EXPECT_EQ(text(record, "ulp"), "4.883E-04");  // 2^-11
  // Binary32's exponent range: 1e38 is finite, 1e39 overflows.
  EXPECT_EQ(text(jsonRecordOf({"-fbf16"}, "1e38"), "status"), "ok");
  EXPECT_EQ(text(jsonRecordOf({"-fbf16"}, "1e39"), "status"), "invalid");

  const CliRun run = runCli({"-f", "bf16", "1", "-f", "16"});
  EXPECT_NE(run.out.find("format                                      Binary16\n"), std::string::npos);
  const CliRun brain = runCli({"-f", "bf16", "1"});
  EXPECT_NE(brain.out.find("format                                      BFloat16\n"), std::string::npos);
}

TEST(SixteenBitFormats, EncodingsGivenInBitsOrHex) {
  EXPECT_EQ(text(jsonRecordOf({"-f", "16", "--hex"}, "0x3c00"), "x"), "+1.0000E+00");
  EXPECT_EQ(text(jsonRecordOf({"-f", "16", "--hex"}, "3C000"), "message"),
            "Invalid Value: not 4 hexadecimal digits");
  EXPECT_EQ(text(jsonRecordOf({"-f", "bf16", "--bits"}, "0_11111111_0000000"), "type"), "Signed Infinity");
  EXPECT_EQ(text(jsonRecordOf({"-f", "bf16", "--bits"}, "0_11111111_00000000"), "status"), "invalid");
  EXPECT_EQ(text(jsonRecordOf({"-f", "16"}, "-inf"), "hex"), "FC00");
  // The smallest subnormal 2^-24 and its neighbours.
  const JsonRecord tiny = jsonRecordOf({"-f", "16", "--bits"}, "1");
  EXPECT_EQ(text(tiny, "type"), "Denormalized Number");
  EXPECT_EQ(text(tiny, "x"), "+5.9605E-08");
  EXPECT_EQ(text(tiny, "next_down"), "0.0000E+00");

  const CliRun bad = runCli({"-f", "8", "1"});
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_NE(bad.err.find("use 16, bf16, 32, 64 or 128"), std::string::npos);
}

}  // namespace
}  // namespace bitscope::testing
