// SPDX-License-Identifier: MIT
// replaceFileContent on Windows, with the C runtime's wide-character file functions (every
// name a user can choose reaches the disk unchanged) and std::filesystem's rename, which
// replaces an existing file in one step.
#include "summary/replace_file.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <random>
#include <string>

namespace bitscope {
namespace {

namespace fs = std::filesystem;

std::error_code lastError() { return {errno, std::generic_category()}; }

// The C runtime's errors are errno values already; the file system library reports the
// system's own codes, which the messages know by their portable meaning.
std::error_code portable(std::error_code error) {
  const std::error_condition meaning = error.default_error_condition();
  if (meaning.category() == std::generic_category()) return {meaning.value(), std::generic_category()};
  return error;
}

std::error_code writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const auto chunk = static_cast<unsigned int>(std::min<std::size_t>(bytes.size(), 1u << 30));
    const int written = ::_write(fd, bytes.data(), chunk);
    if (written < 0) return lastError();
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return {};
}

std::error_code closeFile(int fd, std::error_code error) {
  if (::_close(fd) != 0 && !error) return lastError();
  return error;
}

// A new name beside the target; the exclusive create retries on the rare name that
// already exists.
int createTemporary(const fs::path& folder, fs::path& temporary) {
  std::random_device seed;
  std::mt19937 pick(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = folder / (L".bitscope-" + std::to_wstring(pick() % 1'000'000'000u));
    int fd = -1;
    const errno_t failed =
        ::_wsopen_s(&fd, temporary.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                    _SH_DENYRW, _S_IREAD | _S_IWRITE);
    if (failed == 0) return fd;
    if (failed != EEXIST) {
      errno = failed;
      return -1;
    }
  }
  errno = EEXIST;
  return -1;
}

// Steps: 1. a temporary file in the target's folder (the rename stays on one volume);
// 2. the content, flushed to the disk; 3. the rename over the target. Any failure removes
// the temporary file.
std::error_code writeThenRename(const fs::path& path, std::string_view bytes) {
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(L".");
  fs::path temporary;
  const int fd = createTemporary(folder, temporary);
  if (fd < 0) return lastError();

  std::error_code error = writeAll(fd, bytes);
  if (!error && ::_commit(fd) != 0) error = lastError();
  error = closeFile(fd, error);
  if (!error) {
    fs::rename(temporary, path, error);
    error = portable(error);
  }
  if (error) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
  }
  return error;
}

// A device (NUL, COM1) has no content to lose and cannot be renamed over.
std::error_code writeInPlace(const fs::path& path, std::string_view bytes) {
  int fd = -1;
  if (const errno_t failed =
          ::_wsopen_s(&fd, path.c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0))
    return {failed, std::generic_category()};
  return closeFile(fd, writeAll(fd, bytes));
}

}  // namespace

std::error_code replaceFileContent(const fs::path& chosen, std::string_view bytes) {
  // A name that does not exist yet is no error here: the file library reports one all the same.
  std::error_code error;
  fs::path path = chosen;
  if (fs::is_symlink(fs::symlink_status(path, error))) {
    path = fs::canonical(path, error);
    if (error) return portable(error);
  }
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) return writeThenRename(path, bytes);
  if (error) return portable(error);
  // The rename would refuse to put a file in a folder's place, but Windows calls that a
  // denied access: the reason is given as it is.
  if (fs::is_directory(status)) return std::make_error_code(std::errc::is_a_directory);
  if (!fs::is_regular_file(status)) return writeInPlace(path, bytes);
  // The read-only attribute, which the file system library shows as no write permission.
  if ((status.permissions() & fs::perms::owner_write) == fs::perms::none)
    return std::make_error_code(std::errc::permission_denied);
  return writeThenRename(path, bytes);
}

}  // namespace bitscope
