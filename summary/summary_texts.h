// SPDX-License-Identifier: MIT
// The paragraph tables behind the summary dialog and the saved summary.
#pragma once

#include <array>
#include <string>

#include "engine/language.h"
#include "summary/summary.h"

namespace bitscope {

// One language's paragraphs, each blank-padded to summaryTextWidth.
using SummaryParagraphs = std::array<std::string, summaryParagraphCount>;

// The paragraphs of one language, as buildSummaryTexts left them.
const SummaryParagraphs& summaryTexts(Language language);

// One paragraph of language as the file holds it: the dialog's paragraph,
// except paragraphs 5 and 6, whose blanks line up in a fixed-width font.
// Blank-padded to summaryTextWidth; paragraph counts from 1.
std::string summaryFileParagraph(Language language, int paragraph);

}  // namespace bitscope
