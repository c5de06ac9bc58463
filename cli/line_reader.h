// SPDX-License-Identifier: MIT
// Reads standard input as lines, in constant memory whatever the line lengths.
//
// A line is handed over as one or more pieces; a line that fits into the
// buffer (up to a quarter of a megabyte) comes as a single piece. A longer line
// comes in buffer-sized pieces, so its length never grows memory. The line
// ends at "\n" (not part of the line; a "\r" just before it is dropped too) or
// at the end of the input. A piece never ends inside a UTF-8 sequence or
// between the "\r" and "\n" of a line end.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace bitscope::cli {

struct LinePiece {
  std::string_view bytes;
  bool startsLine = false;
  bool endsLine = false;
};

enum class PieceOutcome {
  piece,       // a piece was handed over
  needInput,   // nothing is held that can be handed over: call fill()
  endOfInput,  // every line has been handed over
};

class LineReader {
 public:
  explicit LineReader(int fd, std::size_t capacity = std::size_t{1} << 18);
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // The next piece. The bytes stay valid until the next call. Reading is left
  // to the caller (needInput), so that it can first write out what it holds:
  // a program that feeds lines one by one through a pipe and waits for each
  // answer gets it before the next read blocks.
  PieceOutcome next(LinePiece& piece);

  // Reads more input (blocking until some arrives or the input ends); false
  // on a read error.
  bool fill();

 private:
  int fd_;
  std::size_t capacity_;
  std::unique_ptr<char[]> data_;
  std::size_t begin_ = 0, end_ = 0;  // bytes held but not yet handed over
  bool eof_ = false;
  bool inLine_ = false;  // a piece of the current line has been handed over
};

}  // namespace bitscope::cli
