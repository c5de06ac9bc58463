// SPDX-License-Identifier: MIT
#include "summary/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace bitscope {
namespace {

std::error_code lastError() { return {errno, std::generic_category()}; }

std::error_code writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return lastError();
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return {};
}

// close() can report a failed delayed write (network file systems): it counts.
std::error_code closeFile(int fd, std::error_code error) {
  if (::close(fd) != 0 && !error) return lastError();
  return error;
}

// Permissions of a file that the process creates with open(..., 0666). The
// umask can only be read by setting it; the program has one thread.
mode_t newFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

std::string folderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  return folder.empty() ? std::string(".") : folder;
}

// Makes the rename itself durable; the content already is, so a failure here
// does not undo the save.
void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Steps: 1. a temporary file in the target's folder (so that the rename stays
// on one file system and is atomic); 2. the content, the permissions, fsync;
// 3. the rename over the target. Any failure removes the temporary file.
std::error_code writeThenRename(const std::string& path, std::string_view bytes, mode_t mode) {
  const std::string folder = folderOf(path);
  std::string temporary = folder + "/.bitscope-XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return lastError();

  std::error_code error = writeAll(fd, bytes);
  if (!error && ::fchmod(fd, mode) != 0) error = lastError();
  if (!error && ::fsync(fd) != 0) error = lastError();
  error = closeFile(fd, error);
  if (!error && ::rename(temporary.c_str(), path.c_str()) != 0) error = lastError();
  if (error) {
    ::unlink(temporary.c_str());
    return error;
  }
  syncFolder(folder);
  return {};
}

std::error_code writeInPlace(const std::string& path, std::string_view bytes) {
  // Non-blocking open: a pipe without a reader fails at once (ENXIO) instead
  // of hanging the window; the writes themselves block as usual.
  const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return lastError();
  std::error_code error;
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) error = lastError();
  if (!error) error = writeAll(fd, bytes);
  return closeFile(fd, error);
}

// The Windows notion of a read-only file: no write permission for anyone, which
// holds even for a process that the permission checks would let through.
bool isReadOnly(const std::string& path, const struct stat& info) {
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

}  // namespace

std::error_code replaceFileContent(const std::filesystem::path& chosen, std::string_view bytes) {
  std::string path = chosen.string();
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    if (char* target = ::realpath(path.c_str(), nullptr)) {
      path = target;
      std::free(target);
    }
  }
  if (::stat(path.c_str(), &info) != 0) {
    if (errno != ENOENT) return lastError();
    return writeThenRename(path, bytes, newFileMode());
  }
  // A folder goes the usual way too: rename() refuses to put a file in its
  // place (EISDIR), and the temporary file is removed as after any failure.
  if (S_ISDIR(info.st_mode)) return writeThenRename(path, bytes, newFileMode());
  if (!S_ISREG(info.st_mode)) return writeInPlace(path, bytes);
  if (isReadOnly(path, info)) return std::make_error_code(std::errc::permission_denied);
  return writeThenRename(path, bytes, info.st_mode & 07777);
}

}  // namespace bitscope
