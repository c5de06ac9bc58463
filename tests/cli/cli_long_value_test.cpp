// SPDX-License-Identifier: MIT
// Decimal values longer than the window's 42-character X box: bitscope-cli
// reads every digit, as arguments and as lines of any length.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "cli_records.h"

namespace bitscope::testing {
namespace {

// The midpoint between 1 and the next value of a format of p bits of
// precision, 1 + 2^-p, written exactly: 2^-p = 5^p / 10^p, whose digits come
// from multiplying by 5 again and again (little-endian decimal digits).
std::string tieAboveOne(int p) {
  std::vector<int> digits{1};
  for (int i = 0; i < p; ++i) {
    int carry = 0;
    for (int& d : digits) {
      const int v = d * 5 + carry;
      d = v % 10;
      carry = v / 10;
    }
    if (carry > 0) digits.push_back(carry);
  }
  std::string fraction(static_cast<std::size_t>(p) - digits.size(), '0');
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) fraction += static_cast<char>('0' + *it);
  return "1." + fraction;
}

// The number of significant digits of a text of digits and one point.
// 1 followed by `zeros` zeros, then the tail. Appended, not prepended: GCC 12 at -O3 warns
// falsely (-Wrestrict) about a literal + std::string.
std::string oneAndZeros(std::size_t zeros, const char* tail) {
  std::string text(zeros + 1, '0');
  text.front() = '1';
  return text + tail;
}

std::size_t significantDigits(const std::string& text) { return text.size() - 1; }

std::string hexOf(int bits, const std::string& value) {
  const JsonRecord record = jsonRecordOf({"-f", std::to_string(bits)}, value);
  return text(record, "status") == "ok" ? text(record, "hex") : text(record, "status");
}

struct LongRow {
  int bits;
  std::string input, expected;  // the hex, or the status when there is no encoding
};

void PrintTo(const LongRow& row, std::ostream* out) {
  *out << "Binary" << row.bits << " \"" << row.input.substr(0, 50) << "...\" (" << row.input.size()
       << " characters)";
}

class LongArgument : public ::testing::TestWithParam<LongRow> {};

TEST_P(LongArgument, IsReadWhole) {
  const LongRow& row = GetParam();
  ASSERT_GT(row.input.size(), 42U);
  EXPECT_EQ(hexOf(row.bits, row.input), row.expected) << row.input.substr(0, 80);
}

// Each value's first 42 characters are another valid number, or round otherwise.
INSTANTIATE_TEST_SUITE_P(FirstFortyTwoCharactersMislead, LongArgument,
                         ::testing::Values(
                             // The first 42 characters are 1.2345678901234567 in Binary64.
                             LongRow{64, "1.2345678901234567890123456789012345678901E-5", "3EE9E409302678BA"},
                             // ... are 1e41, too large for Binary32.
                             LongRow{32, oneAndZeros(41, "e-40"), "41200000"},
                             LongRow{128, oneAndZeros(41, "e-41"), "3FFF0000000000000000000000000000"},
                             // ... are a number; the character that follows makes the value invalid.
                             LongRow{64, std::string(42, '1') + "x", "invalid"},
                             // ... are blanks: the window would find no number.
                             LongRow{64, std::string(50, ' ') + "-2", "C000000000000000"}));

// The exact midpoint between 1 and its upper neighbour ties to the even 1; a
// nonzero digit anywhere after it rounds up. Cut at 42 characters, all of
// these would read as a number just below the midpoint.
INSTANTIATE_TEST_SUITE_P(
    TiesDecidedBeyondTheBox, LongArgument,
    ::testing::Values(
        LongRow{32, tieAboveOne(24) + std::string(60 - 1 - significantDigits(tieAboveOne(24)), '0') + "1",
                "3F800001"},
        LongRow{32, tieAboveOne(24) + std::string(60 - significantDigits(tieAboveOne(24)), '0'), "3F800000"},
        LongRow{64, tieAboveOne(53), "3FF0000000000000"},
        LongRow{64, tieAboveOne(53) + "00000" + "1", "3FF0000000000001"},  // the 60th digit
        LongRow{64, tieAboveOne(53) + std::string(20000, '0') + "1", "3FF0000000000001"},
        LongRow{128, tieAboveOne(113), "3FFF0000000000000000000000000000"},
        LongRow{128, tieAboveOne(113) + std::string(20000, '0') + "1", "3FFF0000000000000000000000000001"},
        LongRow{128, tieAboveOne(113) + std::string(20000, '0'), "3FFF0000000000000000000000000000"}));

// A megabyte line whose last digit decides the value, through batch mode, and
// lines of 24 megabytes of digits in the memory a short line needs.
TEST(LongLine, AMegabyteOfDigitsIsReadToTheLast) {
  const std::string zeros(1 << 20, '0');
  const std::string tie = tieAboveOne(53);
  const std::string nines = "0." + std::string(1 << 20, '9');
  const CliRun run = runCli({"--json", "-f", "64"}, tie + zeros + "1\n" + tie + zeros + "\n" + nines + "\n");
  EXPECT_EQ(run.exitCode, 0);
  const std::vector<JsonRecord> records = jsonRecords(run);
  ASSERT_EQ(records.size(), 3U);
  EXPECT_EQ(text(records[0], "hex"), "3FF0000000000001");
  EXPECT_EQ(text(records[1], "hex"), "3FF0000000000000");
  EXPECT_EQ(text(records[2], "hex"), "3FF0000000000000");
  EXPECT_EQ(text(records[0], "input").size(), tie.size() + zeros.size() + 1);
}

TEST(LongLine, MemoryDoesNotGrowWithTheDigits) {
  constexpr std::size_t lineLength = std::size_t{24} << 20;
  TempFile giant;
  {
    std::ofstream file(giant.path, std::ios::binary);
    file << "0.";
    const std::string block(1 << 16, '9');
    for (std::size_t n = 0; n < lineLength; n += block.size()) file << block;
    file << "\n";
  }
  TempFile small;
  std::ofstream(small.path, std::ios::binary) << "0.9\n";

  bool measured = true;
  for (const char* format : {"32", "64", "128"}) {
    const CliRun smallRun = runCliOnFile({"--json", "-f", format}, small.path);
    const CliRun giantRun = runCliOnFile({"--json", "-f", format}, giant.path);
    EXPECT_EQ(giantRun.exitCode, 0) << format;
    const JsonParse record = parseJsonRecord(giantRun.out.substr(0, giantRun.out.size() - 1));
    ASSERT_EQ(record.error, "") << format;
    EXPECT_EQ(text(record.record, "x").substr(0, 3), "+1.") << format;  // 1 - 10^-25165824 rounds to 1
    // A program that held the line would need at least 24 MB more.
    measured = giantRun.maxResidentKb >= 0 && smallRun.maxResidentKb >= 0;
    if (measured) {
      EXPECT_LT(giantRun.maxResidentKb - smallRun.maxResidentKb, 8 * 1024) << format;
    }
  }
  if (!measured) GTEST_SKIP() << "the output is right; the peak memory cannot be measured here";
}

}  // namespace
}  // namespace bitscope::testing
