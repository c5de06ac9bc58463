// SPDX-License-Identifier: MIT
// A large output buffer over a file descriptor: records are appended in memory
// and written in big blocks, so that a million records cost a few hundred
// system calls. When the output is a terminal, each record is written as soon
// as it is complete, so that an interactive user sees it at once.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace bitscope::cli {

class OutputBuffer {
 public:
  explicit OutputBuffer(int fd);
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;

  void put(char c) {
    if (used_ == capacity) drain();
    data_[used_++] = c;
  }
  void put(std::string_view text) {
    if (text.size() <= capacity - used_) {
      std::memcpy(data_.get() + used_, text.data(), text.size());
      used_ += text.size();
    } else {
      putLarge(text);
    }
  }

  // Marks the end of one record: written at once to a terminal, else kept.
  void endRecord() {
    if (interactive_) drain();
  }

  // Writes everything held; false once any write has failed.
  bool flush();
  bool failed() const { return failed_; }
  int error() const { return error_; }  // the errno of the failed write

 private:
  static constexpr std::size_t capacity = std::size_t{1} << 18;

  void drain();
  void putLarge(std::string_view text);

  int fd_;
  bool interactive_;
  bool failed_ = false;
  int error_ = 0;
  std::size_t used_ = 0;
  std::unique_ptr<char[]> data_;
};

}  // namespace bitscope::cli
