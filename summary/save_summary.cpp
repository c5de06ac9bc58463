// SPDX-License-Identifier: MIT
// "Save to File": the chooser, the file, and the box that tells the outcome.
#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "state/appstate.h"
#include "summary/replace_file.h"
#include "summary/summary.h"
#include "summary/summary_texts.h"
#include "textmodel/blank_padded.h"
#include "textmodel/cp1252.h"

namespace bitscope {
namespace {

constexpr std::string_view savedTopicTitle = "Saved Topic";
constexpr std::string_view savedCaption = "Saved to File";
constexpr std::string_view fileRecordEnd = "\r\n";
constexpr std::string_view blankRecord = " \r\n";

const BilingualText errorCaption{"Eroare", "Error"};
const BilingualText notSavedHeading{"Rezumatul nu a fost salvat in fisierul:",
                                    "The summary was not saved to the file:"};
const BilingualText diskFullReason{"Discul este plin (sau fisierul este prea mare).",
                                   "The disk is full (or the file is too large)."};
const BilingualText accessReason{"Scrierea nu este permisa (fisier sau director protejat la scriere).",
                                 "Writing is not allowed (read-only file or folder)."};
const BilingualText folderReason{"Numele este al unui director, nu al unui fisier.",
                                 "The name is that of a folder, not of a file."};
const BilingualText noFolderReason{"Directorul nu exista.", "The folder does not exist."};
const BilingualText otherReason{"Eroare de sistem ", "System error "};

std::string reasonText(Language language, std::error_code error) {
  switch (error.value()) {
    case ENOSPC:
#ifdef EDQUOT  // no disk quotas in the Windows C runtime's errors
    case EDQUOT:
#endif
    case EFBIG:
      return diskFullReason.in(language);
    case EACCES:
    case EPERM:
    case EROFS:
      return accessReason.in(language);
    case EISDIR:
      return folderReason.in(language);
    case ENOENT:
    case ENOTDIR:
      return noFolderReason.in(language);
    default:
      return otherReason.in(language) + std::to_string(error.value()) + ".";
  }
}

// A path as a message box can show it: what Windows-1252 lacks becomes "?".
// Only the box sees this text; the file is the one chosen.
// Its UTF-8 form: on Windows, string() would go through the ANSI code page and fail on
// any character that page lacks.
std::string shownPath(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return cp1252FromUtf8(std::string(utf8.begin(), utf8.end()));
}

// The saved file's bytes: the seven paragraphs of language (file variants),
// each followed by a record of one blank, every record ended by CR LF.
std::string summaryFileContent(Language language) {
  std::string content;
  for (int paragraph = 1; paragraph <= summaryParagraphCount; ++paragraph) {
    content += withoutTrailingBlanks(summaryFileParagraph(language, paragraph));
    content += fileRecordEnd;
    content += blankRecord;
  }
  return content;
}

// The error box's text after a failed save of path.
std::string saveFailureText(Language language, const std::filesystem::path& path, std::error_code error) {
  return notSavedHeading.in(language) + "\n" + shownPath(path) + "\n" + reasonText(language, error);
}

}  // namespace

bool chooseFile(std::filesystem::path& fileName, const std::string& title) {
  FileChooserRequest request;
  request.title = title;
  request.filters = {
      {"Text Files (*.txt)", "*.txt"}, {"Data Files (*.dat)", "*.dat"}, {"All files (*.*)", "*.*"}};
  request.filterIndex = 1;
  request.defaultExtension = "txt";
  request.initialDirectory = lowCurrentDirectory();
  request.pathMustExist = true;
  request.promptCreate = true;     // nothing appears on the disk unasked
  request.promptOverwrite = true;  // nor is an existing file replaced unasked
  std::filesystem::path chosen;
  if (!lowChooseFile(request, chosen)) return false;
  fileName = chosen;
  return true;
}

// The path is used exactly as the chooser returned it: trailing blanks are part
// of a name on this file system, and cutting them would write another file
// than the one the chooser asked about.
void saveSummary(DialogObject&, int, int) {
  std::filesystem::path path;
  if (!chooseFile(path, std::string(savedTopicTitle))) return;
  const Language language = appState().language;
  if (const std::error_code error = replaceFileContent(path, summaryFileContent(language))) {
    lowMessageBox(saveFailureText(language, path, error), errorCaption.in(language), MessageIcon::Error);
    return;
  }
  lowMessageBox(shownPath(path), std::string(savedCaption), MessageIcon::Information);
}

}  // namespace bitscope
