// SPDX-License-Identifier: MIT
// The floating-point data summary: seven paragraphs per language, shown in the
// summary dialog (template 111) and saved to a text file on request.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "dialog/dialog.h"

namespace bitscope {

inline constexpr int summaryParagraphCount = 7;
// Every paragraph fits in this many characters (the longest has 179).
inline constexpr std::size_t summaryTextWidth = 180;
// Paragraph i is shown by the i-th of these statics of the summary dialog.
inline constexpr std::array<int, summaryParagraphCount> summaryIds{1047, 1048, 1049, 1050, 1051, 1052, 1053};
// Joins the lines of one paragraph, on screen and in the saved file.
inline constexpr std::string_view lineBreak = "\r\n";

// Builds the paragraphs of both languages; start-up calls it once.
void buildSummaryTexts();
// Sets the seven statics of summaryDialog() to the paragraphs of
// appState().language, trailing blanks removed.
void applySummaryTexts();

// Handler of the main window's summary button: the current language's
// paragraphs, then the dialog shown modelessly (owned by the main window).
void showSummary(DialogObject& dialog, int controlId, int eventKind);

// Handler of the summary dialog's "Save to File" button.
void saveSummary(DialogObject& dialog, int controlId, int eventKind);

// Runs the file chooser titled title (text files first, default extension
// "txt", starting in the current folder, asking before it creates or replaces
// a file). True with the chosen path in fileName; false, fileName unchanged,
// when the user cancelled.
bool chooseFile(std::filesystem::path& fileName, const std::string& title);

}  // namespace bitscope
