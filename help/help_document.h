// SPDX-License-Identifier: MIT
// The help document of the current language, found on the search path and
// opened with the desktop's viewer for PDF files.
#pragma once

#include <filesystem>
#include <string>

#include "dialog/dialog.h"

namespace bitscope {

// Handler of the main window's help button.
void openHelpDocument(DialogObject& dialog, int controlId, int eventKind);

// The full path of name (trailing blanks ignored) on the search path; empty
// when it is not found.
std::filesystem::path findOnSearchPath(const std::string& name);

}  // namespace bitscope
