// SPDX-License-Identifier: MIT
#include "output_buffer.h"

#include <unistd.h>
#include <algorithm>
#include <cerrno>

#include "io_count.h"

namespace bitscope::cli {

OutputBuffer::OutputBuffer(int fd)
    : fd_(fd), interactive_(isatty(fd) != 0), data_(std::make_unique<char[]>(capacity)) {}

void OutputBuffer::putLarge(std::string_view text) {
  while (!text.empty()) {
    if (used_ == capacity) drain();
    const std::size_t n = std::min(text.size(), capacity - used_);
    std::memcpy(data_.get() + used_, text.data(), n);
    used_ += n;
    text.remove_prefix(n);
  }
}

// After a failed write the rest is dropped: the caller learns of the failure
// from flush() and reports it; keeping the data would only grow memory.
void OutputBuffer::drain() {
  std::size_t done = 0;
  while (!failed_ && done < used_) {
    const ssize_t n = ::write(fd_, data_.get() + done, ioCount(used_ - done));
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      failed_ = true;
      error_ = n < 0 ? errno : EIO;
    }
  }
  used_ = 0;
}

bool OutputBuffer::flush() {
  drain();
  return !failed_;
}

}  // namespace bitscope::cli
