// SPDX-License-Identifier: MIT
// The summary's paragraphs, line by line. Blanks inside the lines are part of
// the texts: the dialog's proportional font and the file's fixed-width font
// need different runs of them for the formulas of paragraphs 5 and 6 to line
// up, which is why the file has variants of those two. "\x85" is the
// Windows-1252 horizontal ellipsis, one character.
#include "summary/summary_texts.h"

#include <cassert>
#include <initializer_list>
#include <string_view>

#include "textmodel/blank_padded.h"

namespace bitscope {
namespace {

using Lines = std::initializer_list<std::string_view>;

// Every line reads exactly so on purpose, what looks like a slip included: the
// English "and" in the Romanian "Datele 2 and 3", the blank before ";", the one
// missing in "Value =(-1)^S". The saved file holds the same words: do not tidy them.
const std::array<Lines, summaryParagraphCount> romanianLines{{
    {"Datele reprezentabile intr-un format in virgula flotanta (Date FP), sunt:", "- Numere Finite:",
     "1) Numere normale (normalizate)", "2) Numere subnormale (denormalizate)", "3) Zero cu semn"},
    {"- Alte Date:", "4) Infinit cu semn", "5) Non-Numere (Not-a-Number)"},
    {"Datele 1, 2, si 3, se reprezinta printr-o tripleta:  (S, E, sig)", "S = bitul de semn;",
     "E = exponentul (reprezentarii) ;", "sig = semnificand", "", "Valoare = (-1)^S * 2^E * sig"},
    {"Codificare exponent \"E\":", "- Datele 2 and 3:  Camp exponent = 00 ... 0",
     "- Datele 4 and 5:  Camp exponent = 11 ... 1"},
    {"- Numere normale:          E = Exponent_stocat - deplasare", "- Numere subnormale:  E = Emin",
     "- Zero cu semn:                E = Emin"},
    {"Codificare semnificand \"sig\":", "- Numere normale:           sig = 1.b1b2 \x85 bP-1",
     "- Numere subnormale:    sig = 0.b1b2 \x85 bP-1", "- Zero cu semn:                 sig = 0.0"},
    {"- Infinit cu semn:  Camp semnificand  = 00 ... 0",
     "- Not-a-Number:     Camp semnificand diferit de: 00 ... 0"},
}};

const std::array<Lines, summaryParagraphCount> englishLines{{
    {"Data representable in a floating-point format (Floating-Point Data) are:", "- Finite Numbers:",
     "1) Normal numbers (normalized)", "2) Subnormal numbers (denormalized)", "3) Signed Zero"},
    {"- Other Data:", "4) Signed Infinity", "5) Non-Numbers (Not-a-Number)"},
    {"Data 1, 2, and 3, are represented by a triple:  (S, E, sig)", "S = sign bit;",
     "E = (representation) exponent;", "sig = significand", "", "Value =(-1)^S * 2^E * sig"},
    {"Exponent encoding:", "- Data 2 and 3: Exponent field = 00 ... 0",
     "- Data 4 and 5: Exponent field = 11 ... 1"},
    {"- Normal's exponent:           E = Stored exponent - bias", "- Subnormal's exponent:    E = Emin",
     "- Signed Zero's exponent: E = Emin"},
    {"Significand encoding:", "- Normal's significand:            sig = 1.b1b2 \x85 bP-1",
     "- Subnormal's significand:     sig = 0.b1b2 \x85 bP-1", "- Signed Zero's significand:  sig = 0.0"},
    {"- Signed Infinity:  Significand Field = 00 ... 0", "- Not-a-Number: Significand Field is not 00 ... 0"},
}};

// The file's variants of paragraphs 5 and 6, per language.
struct FileVariant {
  Lines exponent;
  Lines significand;
};

const FileVariant romanianFileLines{
    {"- Numere normale:      E = Exponent_stocat - deplasare", "- Numere subnormale:   E = Emin",
     "- Zero cu semn:        E = Emin"},
    {"Codificare semnificand \"sig\":", "- Numere normale:      sig = 1.b1b2 \x85 bP-1",
     "- Numere subnormale:   sig = 0.b1b2 \x85 bP-1", "- Zero cu semn:        sig = 0.0"},
};

const FileVariant englishFileLines{
    {"- Normal's exponent:      E = Stored exponent - bias", "- Subnormal's exponent:   E = Emin",
     "- Signed Zero's exponent: E = Emin"},
    {"Significand encoding:", "- Normal's significand:       sig = 1.b1b2 \x85 bP-1",
     "- Subnormal's significand:    sig = 0.b1b2 \x85 bP-1", "- Signed Zero's significand:  sig = 0.0"},
};

// The lines joined by lineBreak (none after the last), blank-padded to the
// paragraph width.
std::string paragraphOf(Lines lines) {
  std::string text;
  bool first = true;
  for (std::string_view line : lines) {
    if (!first) text += lineBreak;
    text += line;
    first = false;
  }
  assert(text.size() <= summaryTextWidth);
  return paddedTo(text, summaryTextWidth);
}

SummaryParagraphs paragraphsOf(const std::array<Lines, summaryParagraphCount>& table) {
  SummaryParagraphs paragraphs;
  for (std::size_t i = 0; i < table.size(); ++i) paragraphs[i] = paragraphOf(table[i]);
  return paragraphs;
}

SummaryParagraphs romanianTexts;
SummaryParagraphs englishTexts;

}  // namespace

void buildSummaryTexts() {
  romanianTexts = paragraphsOf(romanianLines);
  englishTexts = paragraphsOf(englishLines);
}

const SummaryParagraphs& summaryTexts(Language language) {
  return language == Language::English ? englishTexts : romanianTexts;
}

std::string summaryFileParagraph(Language language, int paragraph) {
  assert(paragraph >= 1 && paragraph <= summaryParagraphCount);
  const FileVariant& variant = language == Language::English ? englishFileLines : romanianFileLines;
  if (paragraph == 5) return paragraphOf(variant.exponent);
  if (paragraph == 6) return paragraphOf(variant.significand);
  return summaryTexts(language)[static_cast<std::size_t>(paragraph - 1)];
}

}  // namespace bitscope
