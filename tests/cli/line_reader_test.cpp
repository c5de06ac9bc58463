// SPDX-License-Identifier: MIT
// The streaming parts of bitscope-cli on their own: the line reader with a
// tiny buffer, so that lines are cut into many pieces, and the JSON escaping.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <fstream>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "json_text.h"
#include "line_reader.h"
#include "output_buffer.h"

namespace bitscope::testing {
namespace {

using cli::LinePiece;
using cli::LineReader;
using cli::OutputBuffer;
using cli::PieceOutcome;

// The descriptors carry bytes unchanged: the Windows C runtime would otherwise read and write
// its line ends as CR LF.
#ifdef O_BINARY
constexpr int rawBytes = O_BINARY;
#else
constexpr int rawBytes = 0;
#endif

// Escapes pieces through an OutputBuffer into a file and returns what was written.
struct EscapeSink {
  TempFile file;
  int fd = ::open(file.path.c_str(), O_WRONLY | O_TRUNC | rawBytes);
  OutputBuffer out{fd};

  std::string finish() {
    EXPECT_TRUE(out.flush());
    ::close(fd);
    return file.read();
  }
};

std::string escaped(const std::string& bytes) {
  EscapeSink sink;
  cli::putJsonEscaped(sink.out, bytes);
  return sink.finish();
}

struct ReaderRow {
  std::string input;
  std::vector<std::string> lines;
};

class SmallBufferReader : public ::testing::TestWithParam<ReaderRow> {};

// With an 8-byte buffer: lines come out whole when their pieces are joined, and
// escaping the pieces one by one gives the same text as escaping the line, so
// no piece ends inside a UTF-8 sequence or between "\r" and "\n".
TEST_P(SmallBufferReader, SplitsLinesWithoutCuttingCharacters) {
  TempFile file;
  std::ofstream(file.path, std::ios::binary) << GetParam().input;
  const int fd = ::open(file.path.c_str(), O_RDONLY | rawBytes);
  ASSERT_GE(fd, 0);
  LineReader reader(fd, 8);
  LinePiece piece;
  std::vector<std::string> lines;
  std::vector<std::string> escapedPieces;
  PieceOutcome outcome;
  while ((outcome = reader.next(piece)) != PieceOutcome::endOfInput) {
    if (outcome == PieceOutcome::needInput) {
      ASSERT_TRUE(reader.fill());
      continue;
    }
    if (piece.startsLine) {
      lines.emplace_back();
      escapedPieces.emplace_back();
    }
    ASSERT_FALSE(lines.empty());
    lines.back() += piece.bytes;
    escapedPieces.back() += escaped(std::string(piece.bytes));
  }
  ::close(fd);
  EXPECT_EQ(lines, GetParam().lines);
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(escapedPieces[i], escaped(lines[i])) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, SmallBufferReader,
    ::testing::Values(
        ReaderRow{"", {}}, ReaderRow{"\n\n", {"", ""}}, ReaderRow{"a\nbb\r\ncc", {"a", "bb", "cc"}},
        ReaderRow{"1234567\r\n89\r\n", {"1234567", "89"}}, ReaderRow{"12345678\r\n", {"12345678"}},
        ReaderRow{"a\rb\rc\rd\re\rf\r\n", {"a\rb\rc\rd\re\rf"}},
        ReaderRow{"\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\n", {"\u20ac\u20ac\u20ac\u20ac"}},
        ReaderRow{"x\xf0\x9f\x98\x80\xf0\x9f\x98\x80\xf0\x9f\x98\x80", {"x\U0001F600\U0001F600\U0001F600"}},
        ReaderRow{"1234567\xe2\x82\n\xe2\x82", {"1234567\xe2\x82", "\xe2\x82"}},
        ReaderRow{std::string(100, '7') + "\n7", {std::string(100, '7'), "7"}}));

struct EscapeRow {
  std::string bytes, json;
};

class JsonEscaping : public ::testing::TestWithParam<EscapeRow> {};

TEST_P(JsonEscaping, MapsEveryByteToValidUtf8) { EXPECT_EQ(escaped(GetParam().bytes), GetParam().json); }

INSTANTIATE_TEST_SUITE_P(
    Bytes, JsonEscaping,
    ::testing::Values(EscapeRow{"plain text 0.1", "plain text 0.1"}, EscapeRow{"\"\\", "\\\"\\\\"},
                      EscapeRow{std::string("\x00\x1f\x7f", 3), "\\u0000\\u001F\\u007F"},
                      EscapeRow{"\xc2\x85", "\\u0085"},                 // a C1 control in UTF-8
                      EscapeRow{"\xe2\x82\xac", "\u20ac"},              // well-formed: kept
                      EscapeRow{"\x80\x8a\x9f", "\u20ac\u0160\u0178"},  // Windows-1252
                      // Undefined in Windows-1252: the C1 control of the same value, each one apart.
                      EscapeRow{"\x81\x8d\x8f\x90\x9d", "\\u0081\\u008D\\u008F\\u0090\\u009D"},
                      EscapeRow{"\xc0\xaf", "\u00c0\u00af"},                       // overlong form
                      EscapeRow{"\xed\xa0\x80", "\u00ed\u00a0\u20ac"},             // surrogate
                      EscapeRow{"\xf4\x90\x80\x80", "\u00f4\\u0090\u20ac\u20ac"},  // above U+10FFFF
                      EscapeRow{"ab\xe2\x82", "ab\u00e2\u201a"},                   // cut short
                      EscapeRow{"12345678\"12345678\x01", "12345678\\\"12345678\\u0001"}));

}  // namespace
}  // namespace bitscope::testing
