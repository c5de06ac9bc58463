// SPDX-License-Identifier: MIT
#include "line_reader.h"

#include <unistd.h>
#include <cassert>
#include <cerrno>
#include <cstring>

#include "io_count.h"
#include "json_text.h"

namespace bitscope::cli {

LineReader::LineReader(int fd, std::size_t capacity)
    : fd_(fd), capacity_(capacity), data_(std::make_unique<char[]>(capacity)) {
  assert(capacity >= 8);  // room for a held-back tail and more
}

bool LineReader::fill() {
  if (begin_ > 0) {
    std::memmove(data_.get(), data_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  while (end_ < capacity_) {
    const ssize_t n = ::read(fd_, data_.get() + end_, ioCount(capacity_ - end_));
    if (n > 0) {
      end_ += static_cast<std::size_t>(n);
      return true;
    }
    if (n == 0) {
      eof_ = true;
      return true;
    }
    if (errno != EINTR) return false;
  }
  return true;
}

PieceOutcome LineReader::next(LinePiece& piece) {
  const char* start = data_.get() + begin_;
  const std::size_t held = end_ - begin_;
  piece.startsLine = !inLine_;

  // 1. A whole line end in the buffer: hand over up to it.
  if (const void* nl = std::memchr(start, '\n', held)) {
    std::size_t length = static_cast<std::size_t>(static_cast<const char*>(nl) - start);
    begin_ += length + 1;
    if (length > 0 && start[length - 1] == '\r') --length;
    piece.bytes = std::string_view(start, length);
    piece.endsLine = true;
    inLine_ = false;
    return PieceOutcome::piece;
  }
  // 2. The end of the input ends the last line, if it has any byte.
  if (eof_) {
    if (held == 0 && !inLine_) return PieceOutcome::endOfInput;
    piece.bytes = std::string_view(start, held);
    piece.endsLine = true;
    begin_ = end_;
    inLine_ = false;
    return PieceOutcome::piece;
  }
  // 3. A full buffer without a line end: hand over a piece of a long
  //    line, keeping back a "\r" or a split UTF-8 sequence at its end.
  if (held == capacity_) {
    std::size_t length = held;
    if (start[length - 1] == '\r') {
      --length;
    } else {
      length -= incompleteUtf8Tail(std::string_view(start, length));
    }
    piece.bytes = std::string_view(start, length);
    piece.endsLine = false;
    begin_ += length;
    inLine_ = true;
    return PieceOutcome::piece;
  }
  // 4. Otherwise more input is needed.
  return PieceOutcome::needInput;
}

}  // namespace bitscope::cli
