// SPDX-License-Identifier: MIT
// What --exact adds to a record and how --hex reads a value. Expected digits
// are worked out by hand from the encodings (0.1 in Binary32 is 13421773 * 2^-27),
// never taken from the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_records.h"

namespace bitscope::testing {
namespace {

const std::vector<std::string> exactKeys = {
    "exact",      "interval_low",          "interval_high",         "error",
    "error_ulps", "interval_low_included", "interval_high_included"};

std::vector<std::string> keysOf(const JsonRecord& record) {
  std::vector<std::string> keys;
  for (const auto& member : record.members) keys.push_back(member.first);
  return keys;
}

std::string flag(const JsonRecord& record, const std::string& key) {
  const JsonField& v = record[key];
  return v.kind == JsonField::Kind::boolean ? v.text : "<not a boolean>";
}

TEST(ExactRecord, DecimalReadHasEveryExactMemberAfterTheViews) {
  const JsonRecord record = jsonRecordOf({"--exact"}, "0.1");
  const std::vector<std::string> keys = keysOf(record);
  ASSERT_GE(keys.size(), 7U);
  EXPECT_EQ(std::vector<std::string>(keys.end() - 7, keys.end()),
            (std::vector<std::string>{"exact", "error", "error_ulps", "interval_low", "interval_high",
                                      "interval_low_included", "interval_high_included"}));
  EXPECT_EQ(keys[keys.size() - 8], "x_plus_delta_caption");
  EXPECT_EQ(text(record, "exact"), "0.100000001490116119384765625");
  // 13421773 * 2^-27 - 0.1 = 0.2 * 2^-27: 1.490116119384765625e-9, rounded to 17 digits.
  EXPECT_EQ(text(record, "error"), "+1.4901161193847656e-09");
  EXPECT_EQ(text(record, "error_ulps"), "+0.2 ULP");
  // (2 * 13421773 -+ 1) * 2^-28, an odd significand: neither end reads into it.
  EXPECT_EQ(text(record, "interval_low"), "0.0999999977648258209228515625");
  EXPECT_EQ(text(record, "interval_high"), "0.1000000052154064178466796875");
  EXPECT_EQ(flag(record, "interval_low_included"), "false");
  EXPECT_EQ(flag(record, "interval_high_included"), "false");
}

TEST(ExactRecord, MembersAreNullWhereTheyDoNotApply) {
  // An encoding given has no typed number: no error, the rest as for a read.
  const JsonRecord bits = jsonRecordOf({"--exact", "--bits"}, "0_01111111_00000000000000000000000");
  EXPECT_EQ(text(bits, "exact"), "1");
  EXPECT_TRUE(bits["error"].isNull() && bits["error_ulps"].isNull());
  // Below a power of two the spacing halves: 1 - 2^-25 and 1 + 2^-24.
  EXPECT_EQ(text(bits, "interval_low"), "0.9999999701976776123046875");
  EXPECT_EQ(text(bits, "interval_high"), "1.000000059604644775390625");
  EXPECT_EQ(flag(bits, "interval_high_included"), "true");
  // Infinities, NaNs and values that are not read have none of them.
  for (const std::string value : {"nan", "-Infinity", "1e39", "abc", ","}) {
    const JsonRecord record = jsonRecordOf({"--exact"}, value);
    for (const std::string& key : exactKeys) EXPECT_TRUE(record[key].isNull()) << value << " " << key;
  }
  // A number with more significant digits than the reading keeps is stored as
  // exactly as any other, but its error is not known to every digit.
  const JsonRecord longer = jsonRecordOf({"--exact"}, "0." + std::string(12000, '3'));
  EXPECT_EQ(text(longer, "exact"), "0.3333333432674407958984375");
  EXPECT_TRUE(longer["error"].isNull());
  // So is a number whose exponent is beyond what the reading counts: it rounds to zero,
  // but how far below zero's interval it lies is not known.
  const JsonRecord farOut = jsonRecordOf({"--exact"}, "1e-99999999999999999999");
  EXPECT_EQ(text(farOut, "exact"), "0");
  EXPECT_TRUE(farOut["error"].isNull());
  EXPECT_EQ(text(jsonRecordOf({"--exact"}, "1e-999999999"), "error"), "-1e-999999999");
}

TEST(ExactRecord, ZerosAndExactReads) {
  const JsonRecord zero = jsonRecordOf({"--exact"}, "-0");
  EXPECT_EQ(text(zero, "exact"), "-0");
  EXPECT_EQ(text(zero, "error"), "0");
  EXPECT_EQ(text(zero, "error_ulps"), "0 ULP");
  EXPECT_EQ(text(zero, "interval_high"), "-0");
  EXPECT_EQ(text(zero, "interval_low"),
            "-7."
            "006492321624085354618647916449580656401309709382578858785341419448955413429303007433190941810607"
            "91015625e-46");
  EXPECT_EQ(flag(zero, "interval_low_included"), "true");
  // Below the subnormal range: stored +0, the whole number is the error.
  const JsonRecord tiny = jsonRecordOf({"--exact", "-f", "64"}, "2.5e-400");
  EXPECT_EQ(text(tiny, "exact"), "0");
  EXPECT_EQ(text(tiny, "error"), "-2.5e-400");
}

// A readable line: the heading in a column of 44 characters, then the text.
std::string readableLine(const std::string& heading, const std::string& value) {
  return "\n" + heading + std::string(44 - heading.size(), ' ') + value + "\n";
}

TEST(ExactReadable, AddsLinesUnderTheKeyNames) {
  const CliRun run = runCli({"--exact", "--hex", "3F800000"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.out.find(readableLine("exact", "1")), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(readableLine("interval_low", "0.9999999701976776123046875")), std::string::npos);
  EXPECT_NE(run.out.find(readableLine("interval_high_included", "true")), std::string::npos);
  EXPECT_NE(run.out.find(readableLine("error_ulps", "null")), std::string::npos);  // nothing was typed
  // A NaN after a number read: every line null, nothing left over from the number.
  const CliRun nan = runCli({"--exact"}, "0.1\nnan\n");
  const std::string second = nan.out.substr(nan.out.find("\n\n"));
  EXPECT_NE(second.find(readableLine("error", "null")), std::string::npos) << second;
  EXPECT_NE(second.find(readableLine("interval_low_included", "null")), std::string::npos);
  EXPECT_EQ(second.find("ULP(X)"), std::string::npos);
}

// ---- --hex ------------------------------------------------------------------

struct HexRow {
  std::string format, input, S, E, T;
};

class HexInput : public ::testing::TestWithParam<HexRow> {};

TEST_P(HexInput, ReadsTheEncoding) {
  const HexRow& row = GetParam();
  const JsonRecord record = jsonRecordOf({"--hex", "-f", row.format}, row.input);
  EXPECT_EQ(text(record, "status"), "ok");
  EXPECT_EQ(text(record, "S"), row.S);
  EXPECT_EQ(text(record, "E"), row.E);
  EXPECT_EQ(text(record, "T"), row.T);
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, HexInput,
    ::testing::Values(HexRow{"32", "0x3DCCCCCD", "0", "01111011", "10011001100110011001101"},
                      HexRow{"32", "3dcccccd", "0", "01111011", "10011001100110011001101"},
                      HexRow{"32", "0X3dCcCcCd", "0", "01111011", "10011001100110011001101"},
                      HexRow{"32", "FF800000", "1", "11111111", std::string(23, '0')},
                      HexRow{"64", "0x8000000000000001", "1", std::string(11, '0'),
                             std::string(51, '0') + "1"},
                      HexRow{"128", "7FFF0000000000000000000000000001", "0", std::string(15, '1'),
                             std::string(111, '0') + "1"}));

TEST(HexInput, AnythingButTheExactDigitCountIsInvalidAndSaysWhy) {
  for (const std::string value : {"3DCCCCC", "3DCCCCCD0", "0x", "", "3DCCCCCG", " 3DCCCCCD", "0x3DCC CCCD",
                                  "x3DCCCCCD", "0x0x3DCCCCCD", "+3DCCCCCD"}) {
    const JsonRecord record = jsonRecordOf({"--hex"}, value);
    EXPECT_EQ(text(record, "status"), "invalid") << value;
    EXPECT_EQ(text(record, "message"), "Invalid Value: not 8 hexadecimal digits") << value;
    EXPECT_TRUE(record["S"].isNull());
  }
  const JsonRecord wide = jsonRecordOf({"--hex", "-f", "64"}, "3DCCCCCD");
  EXPECT_EQ(text(wide, "message"), "Invalid Value: not 16 hexadecimal digits");
  const CliRun both = runCli({"--hex", "--bits", "0"});
  EXPECT_EQ(both.exitCode, 2);
  EXPECT_NE(both.err.find("--bits and --hex exclude each other"), std::string::npos);
}

}  // namespace
}  // namespace bitscope::testing
