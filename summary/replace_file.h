// SPDX-License-Identifier: MIT
// Writing a whole file so that a failure never costs data: the new content
// goes to a temporary file beside the target, is flushed to the disk, and only
// then takes the target's name in one step. Until that step, an existing file
// keeps its old content; after a failure, no temporary file is left behind.
#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace bitscope {

// Writes bytes as the whole content of the file at path, creating it or
// replacing it. An empty result means the content is complete on the disk;
// otherwise the error of the first step that failed, with the file left as it
// was.
//
// - A new file gets the usual permissions (0666 less the umask); a replaced
//   file keeps its permissions. A symbolic link is followed, not replaced.
// - A file without write permission is not replaced (EACCES), as a
//   read-only file is not opened for writing.
// - A target that is neither a regular file nor a folder (a device, a pipe)
//   has no content to lose and cannot be renamed over: it is written in place.
std::error_code replaceFileContent(const std::filesystem::path& path, std::string_view bytes);

}  // namespace bitscope
