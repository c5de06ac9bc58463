// SPDX-License-Identifier: MIT
// --json records of bitscope-cli: keys, statuses and figures for each format.
// Expected figures are hand-checked (bit patterns of 0.1, 1e-40, the largest
// Binary64, the texts of the parameter views), never taken from the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_records.h"

namespace bitscope::testing {
namespace {

const std::vector<std::string> allKeys = {"input",
                                          "format",
                                          "status",
                                          "message",
                                          "S",
                                          "E",
                                          "T",
                                          "hex",
                                          "type",
                                          "x",
                                          "exponent",
                                          "exponent_caption",
                                          "significand",
                                          "ulp",
                                          "next_up",
                                          "next_down",
                                          "next_up_bits",
                                          "next_down_bits",
                                          "delta",
                                          "delta_caption",
                                          "x_plus_delta",
                                          "x_plus_delta_caption"};

std::string formatOption(int bits) { return std::to_string(bits); }

int exponentWidth(int bits) { return bits == 32 ? 8 : bits == 64 ? 11 : 15; }

// Checks what every record must satisfy: the keys in order, the format, the
// message, the bit strings tied to the hex, and the nulls the status implies.
void checkShape(const JsonRecord& record, int bits, const std::string& status) {
  std::vector<std::string> keys;
  for (const auto& member : record.members) keys.push_back(member.first);
  ASSERT_EQ(keys, allKeys);
  EXPECT_EQ(record["format"].kind, JsonField::Kind::number);
  EXPECT_EQ(record["format"].text, std::to_string(bits));
  EXPECT_EQ(text(record, "status"), status);
  EXPECT_EQ(text(record, "message"), status == "invalid" ? "Invalid Value" : "<null>");

  const bool encoded = status == "ok" || status == "special";
  if (!encoded) {
    for (std::size_t i = 4; i < allKeys.size(); ++i) EXPECT_TRUE(record[allKeys[i]].isNull()) << allKeys[i];
    return;
  }
  const std::string s = text(record, "S"), e = text(record, "E"), t = text(record, "T");
  EXPECT_EQ(s.size(), 1U);
  EXPECT_EQ(e.size(), static_cast<std::size_t>(exponentWidth(bits)));
  EXPECT_EQ(s.size() + e.size() + t.size(), static_cast<std::size_t>(bits));
  EXPECT_EQ(binaryOfHex(text(record, "hex")), s + e + t);
  const bool finite = e.find('0') != std::string::npos;
  for (std::size_t i = 10; i < allKeys.size(); ++i)
    EXPECT_EQ(record[allKeys[i]].isNull(), !finite) << allKeys[i];
}

struct DecimalRow {
  int bits;
  std::string input, status, hex, type, x;
};

class DecimalRecord : public ::testing::TestWithParam<DecimalRow> {};

TEST_P(DecimalRecord, EncodesAsExpected) {
  const DecimalRow& row = GetParam();
  const JsonRecord record = jsonRecordOf({"--format", formatOption(row.bits)}, row.input);
  checkShape(record, row.bits, row.status);
  EXPECT_EQ(text(record, "input"), row.input);
  if (row.hex.empty()) return;
  EXPECT_EQ(text(record, "hex"), row.hex);
  EXPECT_EQ(text(record, "type"), row.type);
  EXPECT_EQ(text(record, "x"), row.x);
}

INSTANTIATE_TEST_SUITE_P(
    EachFormat, DecimalRecord,
    ::testing::Values(
        DecimalRow{32, "0.1", "ok", "3DCCCCCD", "Normalized Number: Real(4)", "+1.0000000E-01"},
        DecimalRow{64, "0.1", "ok", "3FB999999999999A", "Normalized Number: Real(8)",
                   "+1.0000000000000001D-01"},
        DecimalRow{128, "0.1", "ok", "3FFB999999999999999999999999999A", "Normalized Number: Real(16)",
                   "+1.000000000000000000000000000000000D-001"},
        DecimalRow{32, "-0", "ok", "80000000", "Signed Zero", "-0.0000000E+00"},
        DecimalRow{32, "1e-40", "ok", "000116C2", "Denormalized Number", "+9.9999461E-41"},
        DecimalRow{32, "1e39", "invalid", "", "", ""},
        DecimalRow{64, "1e39", "ok", "48078287F49C4A1D", "Normalized Number: Real(8)",
                   "+9.9999999999999994D+38"},
        DecimalRow{32, "1.5 abc", "ok", "3FC00000", "Normalized Number: Real(4)", "+1.5000000E+00"},
        DecimalRow{32, "1.5abc", "invalid", "", "", ""}, DecimalRow{32, "NAN", "invalid", "", "", ""},
        DecimalRow{64, "inf", "special", "7FF0000000000000", "Signed Infinity", "+Infinity"},
        DecimalRow{128, "-NaN", "special", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "Not-a-Number", "NaN"},
        DecimalRow{32, ",5", "novalue", "", "", ""}, DecimalRow{128, "", "novalue", "", "", ""},
        DecimalRow{32, "   ", "novalue", "", "", ""},
        // The whole value is read, not only the 42 characters the window's box holds:
        // a stray character after them still makes it invalid.
        DecimalRow{32, "0.5" + std::string(39, '0') + " x", "ok", "3F000000", "Normalized Number: Real(4)",
                   "+5.0000000E-01"},
        DecimalRow{32, "0.5" + std::string(39, '0') + "x", "invalid", "", "", ""},
        DecimalRow{32, "0.5" + std::string(38, '0') + "x", "invalid", "", "", ""}));

struct ViewRow {
  int bits;
  std::string language, input;
  std::vector<std::pair<std::string, std::string>> expected;
};

class ViewRecord : public ::testing::TestWithParam<ViewRow> {};

TEST_P(ViewRecord, ShowsTheParameterViews) {
  const ViewRow& row = GetParam();
  const JsonRecord record =
      jsonRecordOf({"--format", formatOption(row.bits), "--lang", row.language}, row.input);
  checkShape(record, row.bits, "ok");
  for (const auto& [key, value] : row.expected) EXPECT_EQ(text(record, key), value) << key;
}

INSTANTIATE_TEST_SUITE_P(
    Figures, ViewRecord,
    ::testing::Values(
        ViewRow{32,
                "en",
                "1",
                {{"exponent", "0"},
                 {"exponent_caption", "Representation Exponent (E)"},
                 {"significand", "1.0000000E+00"},
                 {"ulp", "1.1920929E-07"},
                 {"next_up", "1.0000001E+00"},
                 {"next_down", "9.9999994E-01"},
                 {"next_up_bits", "0_01111111_00000000000000000000001"},
                 {"next_down_bits", "0_01111110_11111111111111111111111"},
                 {"delta", "5.9604652E-08"},
                 {"delta_caption", "Delta (Smallest): X + Delta > X"},
                 {"x_plus_delta", "1.0000001E+00"},
                 {"x_plus_delta_caption", "X + Delta"}}},
        ViewRow{32,
                "en",
                "-1",
                {{"delta", "5.9604652E-08"},
                 {"delta_caption", "Delta (Smallest): |X| + Delta > |X|"},
                 {"x_plus_delta", "-9.9999994E-01"},
                 {"x_plus_delta_caption", "|X| + Delta"}}},
        ViewRow{32,
                "en",
                "0",
                {{"exponent", "-126"},
                 {"exponent_caption", "Representation Exponent (Emin)"},
                 {"significand", "0.0000000E+00"},
                 {"delta", "1.4012985E-45"},
                 {"x_plus_delta", "1.4012985E-45"},
                 {"x_plus_delta_caption", "|X| + Delta"}}},
        ViewRow{32,
                "en",
                "3.4028235e38",
                {{"exponent", "127"},
                 {"exponent_caption", "Representation Exponent (Emax)"},
                 {"next_up", "Infinity"},
                 {"x_plus_delta", "Infinity"}}},
        ViewRow{
            64, "en", "-1", {{"next_down", "-1.0000000000000002D+00"}, {"delta", "1.110223024625157E-016"}}},
        ViewRow{64,
                "en",
                "2.2250738585072014e-308",
                {{"exponent", "-1022"},
                 {"exponent_caption", "Representation Exponent (Emin)"},
                 {"ulp", "4.9406564584124654D-324"}}},
        ViewRow{128,
                "en",
                "1",
                {{"x", "+1.000000000000000000000000000000000D+000"},
                 {"next_up_bits", "0_011111111111111_...0000000000000001"}}},
        // Captions in Romanian: inner blanks kept, the leading and trailing ones cut.
        ViewRow{32,
                "ro",
                "1",
                {{"type", "Numar normalizat: Real(4)"},
                 {"exponent_caption", "Exponentul reprezentarii (E)"},
                 {"delta_caption", "Delta (minim):  X + Delta > X"}}},
        ViewRow{64,
                "ro",
                "-0",
                {{"type", "Zero cu semn"}, {"delta_caption", "Delta (minim): |X| + Delta > |X|"}}},
        ViewRow{32, "ro", "1e-40", {{"type", "Numar denormalizat"}}}));

TEST(JsonRecord, RomanianNamesTheSpecialValues) {
  EXPECT_EQ(text(jsonRecordOf({"--lang", "ro"}, "-inf"), "type"), "Infinit cu semn");
  EXPECT_EQ(text(jsonRecordOf({"--lang=ro"}, "nan"), "type"), "Non-Numar");
}

struct BitsRow {
  int bits;
  std::string input, status, hex, type;
};

class BitsRecord : public ::testing::TestWithParam<BitsRow> {};

TEST_P(BitsRecord, ReadsTheEncoding) {
  const BitsRow& row = GetParam();
  const JsonRecord record = jsonRecordOf({"--bits", "-f", formatOption(row.bits)}, row.input);
  checkShape(record, row.bits, row.status);
  if (row.hex.empty()) return;
  EXPECT_EQ(text(record, "hex"), row.hex);
  EXPECT_EQ(text(record, "type"), row.type);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, BitsRecord,
    ::testing::Values(
        BitsRow{32, "0_01111011_10011001100110011001101", "ok", "3DCCCCCD", "Normalized Number: Real(4)"},
        BitsRow{32, " 0 01111011 1001100110011001100110_1 ", "ok", "3DCCCCCD", "Normalized Number: Real(4)"},
        // Fewer digits than the format has: right-aligned, the top bits 0.
        BitsRow{32, "1", "ok", "00000001", "Denormalized Number"},
        BitsRow{32, "0 1111111 00000000000000000000000", "ok", "3F800000", "Normalized Number: Real(4)"},
        // Infinity and NaN patterns given as bits are plain encodings: status ok.
        BitsRow{32, "0 11111111 00000000000000000000000", "ok", "7F800000", "Signed Infinity"},
        BitsRow{32, "1_11111111_10000000000000000000000", "ok", "FFC00000", "Not-a-Number"},
        BitsRow{64, "1" + std::string(63, '0'), "ok", "8000000000000000", "Signed Zero"},
        BitsRow{128, "0011111111111111" + std::string(112, '0'), "ok", "3FFF0000000000000000000000000000",
                "Normalized Number: Real(16)"},
        BitsRow{32, std::string(33, '0'), "invalid", "", ""},
        BitsRow{128, std::string(129, '1'), "invalid", "", ""}, BitsRow{32, "0102", "invalid", "", ""},
        BitsRow{32, "-1", "invalid", "", ""}, BitsRow{32, "", "invalid", "", ""},
        BitsRow{32, "_ _", "invalid", "", ""}));

}  // namespace
}  // namespace bitscope::testing
