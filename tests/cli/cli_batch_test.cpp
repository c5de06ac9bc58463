// SPDX-License-Identifier: MIT
// Batch mode of bitscope-cli: values read from standard input, one per line,
// in constant memory, always answered with valid JSON.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "cli_records.h"

namespace bitscope::testing {
namespace {

using namespace std::string_literals;

TEST(Batch, WritesOneRecordPerLineEmptyOnesIncluded) {
  const CliRun run = runCli({"--json"}, "0.1\n\n-inf\r\nabc\r\n1.5");
  EXPECT_EQ(run.exitCode, 1);
  const std::vector<JsonRecord> records = jsonRecords(run);
  ASSERT_EQ(records.size(), 5U);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"0.1", "ok"}, {"", "novalue"}, {"-inf", "special"}, {"abc", "invalid"}, {"1.5", "ok"}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(text(records[i], "input"), expected[i].first) << i;
    EXPECT_EQ(text(records[i], "status"), expected[i].second) << i;
  }
  EXPECT_EQ(text(records[0], "hex"), "3DCCCCCD");
}

TEST(Batch, FailuresToReadOrWriteAreReported) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no always-full device, and opens no folder as standard input";
#endif
  TempFile input;
  std::ofstream(input.path, std::ios::binary) << "1\n2\n";
  const CliRun full = runCliOnFile({"--json"}, input.path, "/dev/full");
  EXPECT_EQ(full.exitCode, 3);
  EXPECT_NE(full.err.find("cannot write standard output"), std::string::npos) << full.err;

  const CliRun directory = runCliOnFile({"--json"}, "/tmp");
  EXPECT_EQ(directory.exitCode, 3);
  EXPECT_NE(directory.err.find("cannot read standard input"), std::string::npos) << directory.err;
}

// A program that sends one line and waits for its record before it sends the
// next gets the record at once, although the output is otherwise buffered.
TEST(Batch, AnswersEachLineBeforeWaitingForTheNext) {
  CliPipe program({"--json"});
  for (const std::string value : {"0.1", "-inf", "abc"}) {
    program.send(value + "\n");
    bool answered = false;
    const JsonParse record = parseJsonRecord(program.receiveLine(answered));
    ASSERT_TRUE(answered) << "no record for " << value << " while the input stays open";
    ASSERT_EQ(record.error, "");
    EXPECT_EQ(text(record.record, "input"), value);
  }
}

TEST(Batch, EmptyInputGivesNoRecord) {
  const CliRun run = runCli({"--json"}, "");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "");
}

TEST(Batch, ReadsEncodingsWithCrLfLineEnds) {
  const CliRun run = runCli({"--json", "--bits", "-f", "64"}, "1\r\n" + std::string(64, '1') + "\r\n");
  EXPECT_EQ(run.exitCode, 0);
  const std::vector<JsonRecord> records = jsonRecords(run);
  ASSERT_EQ(records.size(), 2U);
  EXPECT_EQ(text(records[0], "hex"), "0000000000000001");
  EXPECT_EQ(text(records[1], "hex"), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(text(records[1], "type"), "Not-a-Number");
}

// Whatever the bytes of a line, the output is valid UTF-8 without a raw
// control character, in either mode (the mapping itself is pinned by the
// escaping rows of line_reader_test).
TEST(Batch, AnyBytesGiveValidOutput) {
  std::string line;
  for (int b = 0; b < 256; ++b)
    if (b != '\n') line += static_cast<char>(b);
  line += "\xe2\x82";  // a sequence cut short by the line end
  for (const char* mode : {"--json", "--lang=ro"}) {
    const CliRun run = runCli({mode}, line + "\n" + line);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(isWellFormedUtf8(run.out));
    for (const char c : run.out)
      EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << "raw control " << int(c);
  }
  const std::vector<JsonRecord> records = jsonRecords(runCli({"--json"}, line + "\n" + line));
  ASSERT_EQ(records.size(), 2U);
  EXPECT_EQ(text(records[0], "input"), text(records[1], "input"));
  EXPECT_EQ(text(records[0], "input").substr(0, 6), "\x00\x01\x02\x03\x04\x05"s);
}

TEST(Batch, AMegabyteLineIsEchoedWholeAndItsNumberEndsAtTheFirstBlank) {
  const std::string tail(1 << 20, 'x');
  const std::string giant = "0.25" + std::string(38, ' ') + tail;
  std::string binary(1 << 20, '_');
  binary += '1';
  const CliRun run = runCli({"--json"}, giant + "\r\n7\n");
  const std::vector<JsonRecord> records = jsonRecords(run);
  ASSERT_EQ(records.size(), 2U);
  EXPECT_EQ(text(records[0], "input"), giant);
  EXPECT_EQ(text(records[0], "x"), "+2.5000000E-01");
  EXPECT_EQ(text(records[1], "input"), "7");

  // As encodings, every character of the line counts.
  const std::vector<JsonRecord> bits =
      jsonRecords(runCli({"--json", "--bits"}, binary + "\n" + std::string(1 << 20, '1') + "\n"));
  ASSERT_EQ(bits.size(), 2U);
  EXPECT_EQ(text(bits[0], "hex"), "00000001");
  EXPECT_EQ(text(bits[1], "status"), "invalid");
}

TEST(Batch, MemoryDoesNotGrowWithTheLineLength) {
  // The file is written in small blocks: the peak memory reported for the
  // program includes this process's own at the moment it starts the program.
  constexpr std::size_t lineLength = std::size_t{24} << 20;
  TempFile giant;
  {
    std::ofstream file(giant.path, std::ios::binary);
    const std::string block(1 << 16, ' ');
    for (std::size_t n = 0; n < lineLength; n += block.size()) file << block;
    file << "\n5\n";
  }
  TempFile small;
  std::ofstream(small.path, std::ios::binary) << "\n5\n";

  const CliRun smallRun = runCliOnFile({"--json"}, small.path);
  const CliRun giantRun = runCliOnFile({"--json"}, giant.path);
  EXPECT_EQ(giantRun.exitCode, 1);
  EXPECT_EQ(giantRun.out.size(), smallRun.out.size() + lineLength);
  if (giantRun.maxResidentKb < 0 || smallRun.maxResidentKb < 0)
    GTEST_SKIP() << "the output is right; the peak memory cannot be measured here";
  // A program that held the line would need at least 24 MB more.
  EXPECT_LT(giantRun.maxResidentKb - smallRun.maxResidentKb, 8 * 1024);
}

}  // namespace
}  // namespace bitscope::testing
