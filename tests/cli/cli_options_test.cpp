// SPDX-License-Identifier: MIT
// The command line of bitscope-cli: options, usage errors, exit statuses and
// the readable output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_records.h"

namespace bitscope::testing {
namespace {

TEST(CommandLine, HelpGoesToStandardOutput) {
  const CliRun run = runCli({"--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out.rfind("Usage: bitscope-cli", 0), 0U) << run.out;
  EXPECT_EQ(run.err, "");
}

class UsageError : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(UsageError, ExitsWithTwoAndTheUsage) {
  const CliRun run = runCli(GetParam(), "1\n");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind("bitscope-cli: ", 0), 0U) << run.err;
  EXPECT_NE(run.err.find("\nUsage: bitscope-cli"), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, UsageError,
    ::testing::Values(std::vector<std::string>{"--format", "8"}, std::vector<std::string>{"-f", "4"},
                      std::vector<std::string>{"-f", "BF16"}, std::vector<std::string>{"--exact=yes"},
                      std::vector<std::string>{"--hex", "--bits"}, std::vector<std::string>{"--format"},
                      std::vector<std::string>{"1", "-f"}, std::vector<std::string>{"--lang", "fr"},
                      std::vector<std::string>{"--lang="}, std::vector<std::string>{"--bogus"},
                      std::vector<std::string>{"-x"}, std::vector<std::string>{"--json=yes"}));

class FormatSpelling : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(FormatSpelling, SelectsBinary64) {
  const std::vector<JsonRecord> records = jsonRecords(runCli(GetParam()));
  ASSERT_EQ(records.size(), 1U);
  EXPECT_EQ(records[0]["format"].text, "64");
  EXPECT_EQ(text(records[0], "hex"), "3FE0000000000000");
}

INSTANTIATE_TEST_SUITE_P(GnuForms, FormatSpelling,
                         ::testing::Values(std::vector<std::string>{"--json", "--format", "64", "0.5"},
                                           std::vector<std::string>{"--json", "--format=64", "0.5"},
                                           std::vector<std::string>{"--json", "-f", "64", "0.5"},
                                           std::vector<std::string>{"--json", "-f64", "0.5"},
                                           std::vector<std::string>{"0.5", "--json", "-f", "64"}));

TEST(CommandLine, DefaultsToBinary32InEnglish) {
  const JsonRecord record = jsonRecords(runCli({"--json", "1"})).at(0);
  EXPECT_EQ(record["format"].text, "32");
  EXPECT_EQ(text(record, "type"), "Normalized Number: Real(4)");
}

TEST(CommandLine, NegativeNumbersAndDoubleDashAreValues) {
  const std::vector<JsonRecord> records =
      jsonRecords(runCli({"--json", "-1.5", "-inf", "-.5", "--", "--json", "-f"}));
  ASSERT_EQ(records.size(), 5U);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"-1.5", "ok"}, {"-inf", "special"}, {"-.5", "ok"}, {"--json", "invalid"}, {"-f", "invalid"}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(text(records[i], "input"), expected[i].first);
    EXPECT_EQ(text(records[i], "status"), expected[i].second);
  }
}

struct ExitRow {
  std::vector<std::string> args;
  int exitCode;
};

class ExitStatus : public ::testing::TestWithParam<ExitRow> {};

TEST_P(ExitStatus, TellsWhetherEveryValueWasRead) {
  EXPECT_EQ(runCli(GetParam().args).exitCode, GetParam().exitCode);
}

INSTANTIATE_TEST_SUITE_P(Outcomes, ExitStatus,
                         ::testing::Values(ExitRow{{"0.1", "inf", "-NaN"}, 0}, ExitRow{{"0.1", "abc"}, 1},
                                           ExitRow{{"--json", ",5", "1"}, 1}, ExitRow{{"--bits", "0101"}, 0},
                                           ExitRow{{"--bits", "2"}, 1},
                                           ExitRow{{"--bits", "--json", "-f", "64", ""}, 1}));

// The readable block as (heading, text) pairs: the heading fills the first 42
// columns, the text starts at column 45.
std::vector<std::pair<std::string, std::string>> readableLines(const std::string& block) {
  std::vector<std::pair<std::string, std::string>> lines;
  std::size_t start = 0;
  while (start < block.size()) {
    const std::size_t end = block.find('\n', start);
    const std::string line = block.substr(start, end - start);
    std::string heading = line.substr(0, 42);
    heading.erase(heading.find_last_not_of(' ') + 1);
    lines.emplace_back(heading, line.size() > 44 ? line.substr(44) : "");
    start = end + 1;
  }
  return lines;
}

TEST(ReadableOutput, ShowsTheEncodingAndEveryViewInBlocks) {
  const CliRun run = runCli({"0.1", "abc", "inf"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(isWellFormedUtf8(run.out));
  std::vector<std::string> blocks;
  for (std::size_t start = 0; start <= run.out.size();) {
    const std::size_t end = run.out.find("\n\n", start);
    blocks.push_back(run.out.substr(start, end == std::string::npos ? end : end + 1 - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  ASSERT_EQ(blocks.size(), 3U) << run.out;

  using Lines = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(readableLines(blocks[0]),
            (Lines{{"input", "\"0.1\""},
                   {"format", "Binary32"},
                   {"status", "ok"},
                   {"S E T", "0 01111011 10011001100110011001101"},
                   {"hex", "3DCCCCCD"},
                   {"type", "Normalized Number: Real(4)"},
                   {"X", "+1.0000000E-01"},
                   {"Representation Exponent (E)", "-4"},
                   {"Significand", "1.6000000E+00"},
                   {"ULP(X)", "7.4505806E-09"},
                   {"Nearest, > X", "1.0000001E-01"},
                   {"Nearest > X  (S_Exp_Sig)", "0_01111011_10011001100110011001110"},
                   {"Nearest, < X", "9.9999994E-02"},
                   {"Nearest < X  (S_Exp_Sig)", "0_01111011_10011001100110011001100"},
                   {"Delta (Smallest): X + Delta > X", "3.7252903E-09"},
                   {"X + Delta", "1.0000001E-01"}}));
  EXPECT_EQ(readableLines(blocks[1]), (Lines{{"input", "\"abc\""},
                                             {"format", "Binary32"},
                                             {"status", "invalid"},
                                             {"message", "Invalid Value"}}));
  EXPECT_EQ(readableLines(blocks[2]), (Lines{{"input", "\"inf\""},
                                             {"format", "Binary32"},
                                             {"status", "special"},
                                             {"S E T", "0 11111111 00000000000000000000000"},
                                             {"hex", "7F800000"},
                                             {"type", "Signed Infinity"},
                                             {"X", "+Infinity"}}));
}

TEST(ReadableOutput, UsesTheCaptionsOfTheLanguage) {
  const CliRun run = runCli({"--lang", "ro", "-f", "64", "1"});
  EXPECT_EQ(run.exitCode, 0);
  for (const char* caption :
       {"Exponentul reprezentarii (E)", "Semnificand", "Nearest > X; Semnificand: ultimii 16 biti",
        "Nearest < X, Semnificand: ultimii 16 biti", "Delta (minim):  X + Delta > X",
        "Numar normalizat: Real(8)"})
    EXPECT_NE(run.out.find(caption), std::string::npos) << caption;
}

}  // namespace
}  // namespace bitscope::testing
