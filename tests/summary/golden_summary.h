// SPDX-License-Identifier: MIT
// The summary as the user must see it and find it in the saved file, written
// out independently of the program's tables.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/language.h"

namespace bitscope::testing {

// The saved file, one entry per record (each ended by CR LF in the file). A
// record of one blank follows every paragraph; "\x85" is the ellipsis.
inline const std::vector<std::string_view> romanianFileRecords{
    "Datele reprezentabile intr-un format in virgula flotanta (Date FP), sunt:",
    "- Numere Finite:",
    "1) Numere normale (normalizate)",
    "2) Numere subnormale (denormalizate)",
    "3) Zero cu semn",
    " ",
    "- Alte Date:",
    "4) Infinit cu semn",
    "5) Non-Numere (Not-a-Number)",
    " ",
    "Datele 1, 2, si 3, se reprezinta printr-o tripleta:  (S, E, sig)",
    "S = bitul de semn;",
    "E = exponentul (reprezentarii) ;",
    "sig = semnificand",
    "",
    "Valoare = (-1)^S * 2^E * sig",
    " ",
    "Codificare exponent \"E\":",
    "- Datele 2 and 3:  Camp exponent = 00 ... 0",
    "- Datele 4 and 5:  Camp exponent = 11 ... 1",
    " ",
    "- Numere normale:      E = Exponent_stocat - deplasare",
    "- Numere subnormale:   E = Emin",
    "- Zero cu semn:        E = Emin",
    " ",
    "Codificare semnificand \"sig\":",
    "- Numere normale:      sig = 1.b1b2 \x85 bP-1",
    "- Numere subnormale:   sig = 0.b1b2 \x85 bP-1",
    "- Zero cu semn:        sig = 0.0",
    " ",
    "- Infinit cu semn:  Camp semnificand  = 00 ... 0",
    "- Not-a-Number:     Camp semnificand diferit de: 00 ... 0",
    " "};

inline const std::vector<std::string_view> englishFileRecords{
    "Data representable in a floating-point format (Floating-Point Data) are:",
    "- Finite Numbers:",
    "1) Normal numbers (normalized)",
    "2) Subnormal numbers (denormalized)",
    "3) Signed Zero",
    " ",
    "- Other Data:",
    "4) Signed Infinity",
    "5) Non-Numbers (Not-a-Number)",
    " ",
    "Data 1, 2, and 3, are represented by a triple:  (S, E, sig)",
    "S = sign bit;",
    "E = (representation) exponent;",
    "sig = significand",
    "",
    "Value =(-1)^S * 2^E * sig",
    " ",
    "Exponent encoding:",
    "- Data 2 and 3: Exponent field = 00 ... 0",
    "- Data 4 and 5: Exponent field = 11 ... 1",
    " ",
    "- Normal's exponent:      E = Stored exponent - bias",
    "- Subnormal's exponent:   E = Emin",
    "- Signed Zero's exponent: E = Emin",
    " ",
    "Significand encoding:",
    "- Normal's significand:       sig = 1.b1b2 \x85 bP-1",
    "- Subnormal's significand:    sig = 0.b1b2 \x85 bP-1",
    "- Signed Zero's significand:  sig = 0.0",
    " ",
    "- Signed Infinity:  Significand Field = 00 ... 0",
    "- Not-a-Number: Significand Field is not 00 ... 0",
    " "};

// The dialog's paragraphs 5 and 6, whose blanks differ from the file's.
inline const std::vector<std::string> romanianDialogFormulas{
    "- Numere normale:          E = Exponent_stocat - deplasare\r\n"
    "- Numere subnormale:  E = Emin\r\n"
    "- Zero cu semn:                E = Emin",
    "Codificare semnificand \"sig\":\r\n"
    "- Numere normale:           sig = 1.b1b2 \x85 bP-1\r\n"
    "- Numere subnormale:    sig = 0.b1b2 \x85 bP-1\r\n"
    "- Zero cu semn:                 sig = 0.0"};

inline const std::vector<std::string> englishDialogFormulas{
    "- Normal's exponent:           E = Stored exponent - bias\r\n"
    "- Subnormal's exponent:    E = Emin\r\n"
    "- Signed Zero's exponent: E = Emin",
    "Significand encoding:\r\n"
    "- Normal's significand:            sig = 1.b1b2 \x85 bP-1\r\n"
    "- Subnormal's significand:     sig = 0.b1b2 \x85 bP-1\r\n"
    "- Signed Zero's significand:  sig = 0.0"};

inline std::string expectedFile(Language language) {
  std::string bytes;
  for (std::string_view record : language == Language::English ? englishFileRecords : romanianFileRecords) {
    bytes += record;
    bytes += "\r\n";
  }
  return bytes;
}

// The seven paragraphs as the dialog shows them: the file's, lines joined by
// CR LF, with the dialog's own paragraphs 5 and 6.
inline std::vector<std::string> expectedDialogParagraphs(Language language) {
  std::vector<std::string> paragraphs;
  std::string paragraph;
  bool started = false;
  for (std::string_view record : language == Language::English ? englishFileRecords : romanianFileRecords) {
    if (record == " ") {  // ends a paragraph
      paragraphs.push_back(paragraph);
      paragraph.clear();
      started = false;
      continue;
    }
    if (started) paragraph += "\r\n";
    paragraph += record;
    started = true;
  }
  const auto& formulas = language == Language::English ? englishDialogFormulas : romanianDialogFormulas;
  paragraphs[4] = formulas[0];
  paragraphs[5] = formulas[1];
  return paragraphs;
}

}  // namespace bitscope::testing
