// SPDX-License-Identifier: MIT
// The bilingual labels of the main window: the table, its filling at start-up and its
// writing into the window for the current language.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "dialog/dialog.h"
#include "engine/language.h"

namespace bitscope {

inline constexpr std::size_t uiTextWidth = 50;
inline constexpr std::size_t uiTextSlots = 14;

// Slot 0 is the window title; slots 1 to 13 label one control each. Every entry is
// blank-padded to uiTextWidth characters.
using UiTexts = std::array<BilingualText, uiTextSlots>;
UiTexts& uiTexts();

// The Binary64 row shows its field names until Binary64 is first selected; the
// significand's name follows the language, 25 blanks in front.
inline constexpr std::string_view significandPlaceholderRo = "                         Semnificand (Fractia)";
inline constexpr std::string_view significandPlaceholderEn =
    "                         Trailing Significand (Fraction)";

// Fills uiTexts and the Binary32 validation messages of appState(), both languages.
void fillLanguageTexts();

// Writes the title and the thirteen labels of appState().language into dialog, and
// what a screen reader says of each control. The tooltips, which are the main window's
// own, follow through applyMainToolTips.
void applyLanguage(DialogObject& dialog);

}  // namespace bitscope
