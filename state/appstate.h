// SPDX-License-Identifier: MIT
// The main window's process-wide state: one record, shared by the handlers of
// the main window, the language switch, the summary and the help buttons.
#pragma once

#include <string>

#include "dialog/dialog.h"
#include "engine/engine.h"
#include "state/bit_messages.h"

namespace bitscope {

struct AppState {
  int formatBytes = 4;     // current format: 4, 8 or 16
  int fieldWidth = 0;      // width of the current field, from the last bit-box event
  bool allFields = false;  // scope of the fill and invert buttons (radio 1045)
  std::string zeroBits;    // 64 "0"
  std::string oneBits;     // 64 "1"
  // The Binary128 significand is one field of 112 bits shown in two boxes; a
  // current-field fill or invert acts on the one of them (1016 or 1018) that
  // the last bit-field event came from, and on neither after any other event.
  int significandBox = 0;

  // The one record of the language: the radios, the help button and every text read it.
  Language language = Language::Romanian;

  std::string caretText;  // 3 characters, shown in 1019
  std::string widthText;  // 3 characters, shown in 1020
  std::string xText;      // the last X text, 42 characters
  int listItem = 0;       // selected parameter item, 1 to 7 (0: none)
  // The decimal text of the last read of X that gave a value, and the encoding
  // and format it gave: X has the error of that read while the boxes still hold it.
  std::string readText;
  EncodingBits readBits = 0;
  int readFormatBytes = 0;

  FormatValues values;  // value32, value64, value128; only the current slot counts
  // The classification of the last decoded encoding. The X entry writes its
  // isInfinite and isNaN from a typed name (special), and the two are one pair
  // of flags: whoever writes one side copies it to the other.
  Classification flags;
  SpecialText special;         // also nanSignChar, infSignChar
  BilingualText dataTypeText;  // 30 characters per language
  BitMessages bitMessages;     // the Binary32 validation messages
};

// The one instance, and the two dialogs that live for the whole run.
AppState& appState();
DialogObject& mainDialog();
DialogObject& summaryDialog();

}  // namespace bitscope
