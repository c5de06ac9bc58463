// SPDX-License-Identifier: MIT
// The help button: the guide of the current language, opened by the full path
// at which the search path holds it (a bare name would be resolved against the
// current folder only, and fail for a guide found anywhere else).
#include "help/help_document.h"

#include <string_view>

#include "state/appstate.h"
#include "textmodel/blank_padded.h"

namespace bitscope {
namespace {

struct HelpTexts {
  std::string_view documentName;
  std::string_view notFound;
  std::string_view cannotOpen;
  std::string_view noAssociation;
};

constexpr HelpTexts englishHelp{"VAZ&I-en.pdf",
                                "File \"VAZ&I-en.pdf\" Not Found!\nTry to locate it yourselves.",
                                "Error: The system can't open the specified file!",
                                "Error: There is no application associated with \".pdf\" file extension!"};

// Romanian has one text for every failure to open, the missing association's:
// intended, not a copy-paste slip.
constexpr HelpTexts romanianHelp{
    "VAZ&I-ro.pdf",
    // "fosr" is the message's wording, kept letter for letter: do not correct it.
    "Fisierul \"VAZ&I-ro.pdf\" nu a fosr gasit!\nIncercati sa-l localizati direct.",
    "Eroare: Nu exista aplicatie asociata cu extensia \".pdf\"!",
    "Eroare: Nu exista aplicatie asociata cu extensia \".pdf\"!"};

// English in both languages on purpose: every help message box is captioned "Error".
constexpr std::string_view helpCaption = "Error";

void showHelpError(std::string_view text) {
  lowMessageBox(std::string(text), std::string(helpCaption), MessageIcon::Error);
}

void reportOutcome(const HelpTexts& texts, OpenResult result) {
  switch (result) {
    case OpenResult::Opened:
      return;
    case OpenResult::NoAssociation:  // the shell's result 31
      showHelpError(texts.noAssociation);
      return;
    case OpenResult::Failed:
      showHelpError(texts.cannotOpen);
      return;
  }
}

}  // namespace

std::filesystem::path findOnSearchPath(const std::string& name) {
  return lowSearchPath(std::string(withoutTrailingBlanks(name)));
}

// The outcome of the launch may come later, from the message loop; it is told
// in the language of the press.
void openHelpDocument(DialogObject&, int, int) {
  const HelpTexts* texts = appState().language == Language::English ? &englishHelp : &romanianHelp;
  const std::filesystem::path path = findOnSearchPath(std::string(texts->documentName));
  if (path.empty()) {
    showHelpError(texts->notFound);
    return;
  }
  lowOpenDocument(path, [texts](OpenResult result) { reportOutcome(*texts, result); });
}

}  // namespace bitscope
