// "Save to File": the chooser, the file, and the box that tells the outcome.
#include <cerrno>
#include <string>
#include <system_error>

#include "dialog/cp1252.h"
#include "dialog/texts.h"
#include "mainwin/appstate.h"
#include "summary/replace_file.h"
#include "summary/summary.h"
#include "summary/summary_texts.h"

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
const BilingualText accessReason{
    "Scrierea nu este permisa (fisier sau director protejat la scriere).",
    "Writing is not allowed (read-only file or folder)."};
const BilingualText folderReason{"Numele este al unui director, nu al unui fisier.",
                                 "The name is that of a folder, not of a file."};
const BilingualText noFolderReason{"Directorul nu exista.", "The folder does not exist."};
const BilingualText otherReason{"Eroare de sistem ", "System error "};

std::string reasonText(Language language, std::error_code error) {
  switch (error.value()) {
    case ENOSPC:
    case EDQUOT:
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

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {  // Windows-1252 reaches no further than the Basic Multilingual Plane
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
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
std::string saveFailureText(Language language, const std::string& path, std::error_code error) {
  return notSavedHeading.in(language) + "\n" + path + "\n" + reasonText(language, error);
}

// A Windows-1252 path as the file system names it (UTF-8).
std::string fileSystemPath(const std::string& path) {
  std::string name;
  for (char32_t c : cp1252ToUnicode(path)) appendUtf8(name, c);
  return name;
}

}  // namespace

bool chooseFile(std::string& fileName, const std::string& title) {
  FileChooserRequest request;
  request.title = title;
  request.filters = {{"Text Files (*.txt)", "*.txt"},
                     {"Data Files (*.dat)", "*.dat"},
                     {"All files (*.*)", "*.*"}};
  request.filterIndex = 1;
  request.defaultExtension = "txt";
  request.initialDirectory = lowCurrentDirectory();
  request.pathMustExist = true;
  request.promptCreate = true;
  request.promptOverwrite = true;  // an existing file is never replaced unasked
  std::string chosen;
  if (!lowChooseFile(request, chosen)) return false;
  fileName = chosen;
  return true;
}

void saveSummary(DialogObject&, int, int) {
  std::string fileName;
  if (!chooseFile(fileName, std::string(savedTopicTitle))) return;
  const std::string path = withoutTrailingBlanks(fileName);
  const Language language = appState().language;
  if (const std::error_code error =
          replaceFileContent(fileSystemPath(path), summaryFileContent(language))) {
    lowMessageBox(saveFailureText(language, path, error), errorCaption.in(language),
                  MessageIcon::Error);
    return;
  }
  lowMessageBox(path, std::string(savedCaption), MessageIcon::Information);
}

}  // namespace bitscope
