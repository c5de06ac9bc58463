// SPDX-License-Identifier: MIT
#include "mainwin/startup.h"

#include <bit>
#include <cstdint>
#include <cstdlib>

#include "help/about.h"
#include "help/help_document.h"
#include "mainwin/bit_field_event.h"
#include "mainwin/dispatcher.h"
#include "mainwin/fp_modes.h"
#include "mainwin/initial_values.h"
#include "mainwin/parameter_list.h"
#include "state/appstate.h"
#include "summary/summary.h"

namespace bitscope {

namespace {

// The icons of the window and of the two icon buttons; null when one cannot be loaded
// (the window or button then shows none).
struct Icons {
  LowIcon* appIconSmall = nullptr;   // 112, window icon
  LowIcon* fpButtonIcon = nullptr;   // 109, on the summary button
  LowIcon* ulpButtonIcon = nullptr;  // 110, on the help button
};

Icons& icons() {
  static Icons loaded;
  return loaded;
}

constexpr int buttonIconPixels = 32;

void loadIcons() {
  Icons& loaded = icons();
  loaded.appIconSmall = lowLoadIcon(112, lowSmallIconSize());
  loaded.fpButtonIcon = lowLoadIcon(109, buttonIconPixels);
  loaded.ulpButtonIcon = lowLoadIcon(110, buttonIconPixels);
}

// The smallest normal and subnormal values of each format are the engine's
// compile-time constants; their encodings are the ones the list's views rely on.
static_assert(std::bit_cast<std::uint32_t>(smallestNormal<Binary32>) == 0x00800000u);
static_assert(std::bit_cast<std::uint32_t>(smallestSubnormal<Binary32>) == 0x00000001u);
static_assert(std::bit_cast<std::uint64_t>(smallestNormal<Binary64>) == 0x0010000000000000u);
static_assert(std::bit_cast<std::uint64_t>(smallestSubnormal<Binary64>) == 0x0000000000000001u);
static_assert(std::bit_cast<unsigned __int128>(smallestNormal<Binary128>) ==
              (static_cast<unsigned __int128>(1) << 112));
static_assert(std::bit_cast<unsigned __int128>(smallestSubnormal<Binary128>) == 1);

// Every handler, in the order the window's controls are wired.
void wireHandlers(DialogObject& main, DialogObject& summary) {
  DLGSETCALLBACK(main, ctl::xEntry, onMainControlEvent);
  for (const int id : ctl::bitBoxes) DLGSETCALLBACK(main, id, onBitFieldEvent, EVT_GAINFOCUS);
  for (const int id : ctl::bitBoxes) DLGSETCALLBACK(main, id, onMainControlEvent);
  DLGSETCALLBACK(main, ctl::caretPosition, onMainControlEvent);
  DLGSETCALLBACK(main, ctl::aboutButton, showAbout);
  DLGSETCALLBACK(main, ctl::helpButton, openHelpDocument);
  DLGSETCALLBACK(main, ctl::summaryButton, showSummary);
  DLGSETCALLBACK(main, ctl::parameterList, onParameterListSelect);
  for (const int id : {ctl::binary32Radio, ctl::binary64Radio, ctl::binary128Radio, ctl::fillZeros,
                       ctl::fillOnes, ctl::invertBits})
    DLGSETCALLBACK(main, id, onMainControlEvent);
  DLGSETCALLBACK(summary, ctl::saveSummaryButton, saveSummary);
  DLGSETCALLBACK(main, ctl::romanianRadio, onMainControlEvent);
  DLGSETCALLBACK(main, ctl::englishRadio, onMainControlEvent);
}

}  // namespace

bool startUp(int showMode, const StartupTemplates& templates) {
  ensureIeeeDefaultModes();
  loadIcons();

  DialogObject& main = mainDialog();
  DialogObject& summary = summaryDialog();
  if (!DLGLOAD(templates.mainWindow, main)) return false;
  DLGSETCALLBACK(main, main.templateId, onMainDialogEvent);
  if (!DLGLOAD(templates.summary, summary)) return false;
  wireHandlers(main, summary);

  setInitialValues(main);

  return DLGMODELESS(main, showMode, nullptr);
}

int runMessageLoop() {
  LowMessage message;
  while (lowGetMessage(message)) {
    if (DLGROUTEMESSAGE(message)) continue;
    lowTranslateMessage(message);
    lowDispatchMessage(message);
  }
  DLGRELEASE(mainDialog());
  DLGRELEASE(summaryDialog());
  return message.quitCode;
}

int runBitscope(int showMode, const StartupTemplates& templates) {
  if (!startUp(showMode, templates)) {
    lowMessageBox("Error initializing application Bitscope", "Error", MessageIcon::None, nullptr);
    return EXIT_FAILURE;  // a run that never showed its window did not succeed
  }
  return runMessageLoop();
}

void onMainDialogEvent(DialogObject& dialog, int, int eventKind) {
  if (eventKind == EVT_INIT && dialog.window != nullptr) {
    // X is read as its first 42 characters: the box holds no more, so what it shows is
    // what is read. Every X display text fits.
    lowSetTextLimit(dialog.window, ctl::xEntry, static_cast<int>(xTextLength));
    const Icons& loaded = icons();
    lowSetWindowIcon(dialog.window, loaded.appIconSmall);
    lowSetButtonIcon(dialog.window, ctl::helpButton, loaded.ulpButtonIcon);
    lowSetButtonIcon(dialog.window, ctl::summaryButton, loaded.fpButtonIcon);
  } else if (eventKind == EVT_DESTROY) {
    // Intended: Esc (the hidden cancel button 2) ends the program like Exit; there is no "are you sure".
    lowPostQuitMessage(0);
  }
}

}  // namespace bitscope
