// SPDX-License-Identifier: MIT
// The About box: the program's name and description in the current language,
// and a notice line of its own.
#include "help/about.h"

#include "help/version.h"
#include "state/appstate.h"
#include "texts/accessible_texts.h"

namespace bitscope {
namespace {

constexpr int aboutTemplateId = 103;
constexpr int descriptionId = 1022;
constexpr int noticeId = 1023;

const BilingualText aboutTitle{"Despre Program", "About Program"};
const BilingualText aboutText{"BITSCOPE\n\nReprezentarea datelor in vigula flotanta, intr-un format binar",
                              "BITSCOPE\n\nRepresentation of Floating Point Data in a Binary Format"};

}  // namespace

// The box exists only while it is shown, so that nothing of it outlives the press.
void showAbout(DialogObject&, int, int) {
  DialogObject aboutDialog;
  if (!DLGLOAD(aboutTemplateId, aboutDialog)) return;
  const Language language = appState().language;
  DLGSETCAPTION(aboutDialog, aboutTitle.in(language));
  DLGSETVALUE(aboutDialog, descriptionId, aboutText.in(language));
  DLGSETVALUE(aboutDialog, noticeId, aboutNotice);
  applyAboutAccessibleTexts(aboutDialog, language);
  DLGMODAL(aboutDialog);
  DLGRELEASE(aboutDialog);
}

}  // namespace bitscope
