// SPDX-License-Identifier: MIT
// Helpers shared by the end-to-end tests of bitscope-cli.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_runner.h"
#include "strict_json.h"

namespace bitscope::testing {

// The records of a --json run; the test fails when the output is not strict
// JSON, one object per line, or when anything was written to standard error.
inline std::vector<JsonRecord> jsonRecords(const CliRun& run) {
  EXPECT_EQ(run.err, "");
  JsonLines lines = parseJsonLines(run.out);
  EXPECT_EQ(lines.error, "") << run.out.substr(0, 2000);
  return lines.records;
}

// The single record of `bitscope-cli --json <options> -- value`.
inline JsonRecord jsonRecordOf(std::vector<std::string> options, const std::string& value) {
  options.insert(options.begin(), "--json");
  options.push_back("--");
  options.push_back(value);
  const std::vector<JsonRecord> records = jsonRecords(runCli(options));
  EXPECT_EQ(records.size(), 1U);
  return records.empty() ? JsonRecord{} : records.front();
}

// The text of a string member; "<null>" for null and "<not a string>" for
// anything else, so that a comparison shows what was there.
inline std::string text(const JsonRecord& record, const std::string& key) {
  const JsonField& v = record[key];
  if (v.kind == JsonField::Kind::string) return v.text;
  return v.isNull() ? "<null>" : "<not a string>";
}

// The binary digits of hexadecimal digits, four per digit: an independent way
// to tie the hex member to the bit strings.
inline std::string binaryOfHex(const std::string& hex) {
  std::string bits;
  for (const char c : hex) {
    const int v = c <= '9' ? c - '0' : c - 'A' + 10;
    for (int b = 3; b >= 0; --b) bits += ((v >> b) & 1) != 0 ? '1' : '0';
  }
  return bits;
}

}  // namespace bitscope::testing
