// SPDX-License-Identifier: MIT
// The help button: the guide of the current language looked up on the search
// path and opened by the full path found, or the right message.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "handler_fixture.h"

namespace bitscope::testing {
namespace {

struct HelpCase {
  const char* name;
  Language language;
  const char* found;                 // the search's answer; empty: not found
  std::optional<OpenResult> opened;  // the viewer's answer, when asked
  const char* message;               // the expected box; empty: none
};
void PrintTo(const HelpCase& c, std::ostream* out) { *out << c.name; }

constexpr const char* englishPath = "/usr/share/bitscope/VAZ&I-en.pdf";
constexpr const char* romanianPath = "/opt/guides/VAZ&I-ro.pdf";
constexpr const char* romanianFailure = "Eroare: Nu exista aplicatie asociata cu extensia \".pdf\"!";

const HelpCase helpCases[] = {
    {"EnglishOpened", Language::English, englishPath, OpenResult::Opened, ""},
    {"RomanianOpened", Language::Romanian, romanianPath, OpenResult::Opened, ""},
    {"EnglishNotFound", Language::English, "", std::nullopt,
     "File \"VAZ&I-en.pdf\" Not Found!\nTry to locate it yourselves."},
    {"RomanianNotFound", Language::Romanian, "", std::nullopt,
     "Fisierul \"VAZ&I-ro.pdf\" nu a fosr gasit!\nIncercati sa-l localizati direct."},
    {"EnglishNoViewer", Language::English, englishPath, OpenResult::NoAssociation,
     "Error: There is no application associated with \".pdf\" file extension!"},
    {"RomanianNoViewer", Language::Romanian, romanianPath, OpenResult::NoAssociation, romanianFailure},
    {"EnglishCannotOpen", Language::English, englishPath, OpenResult::Failed,
     "Error: The system can't open the specified file!"},
    {"RomanianCannotOpen", Language::Romanian, romanianPath, OpenResult::Failed, romanianFailure},
};

class HelpDocumentTest : public HandlerTest, public ::testing::WithParamInterface<HelpCase> {};

TEST_P(HelpDocumentTest, LooksUpTheGuideOpensItByItsFullPathOrSaysWhy) {
  const HelpCase& c = GetParam();
  switchLanguage(c.language);
  simAnswerSearchPath(c.found);
  if (c.opened) simAnswerOpenDocument(*c.opened);

  ASSERT_TRUE(simClick(mainWindow(), helpButton));

  const bool english = c.language == Language::English;
  EXPECT_EQ(simSearchedNames(), std::vector<std::string>{english ? "VAZ&I-en.pdf" : "VAZ&I-ro.pdf"});
  EXPECT_EQ(simOpenedDocuments(), c.opened ? std::vector<std::string>{c.found} : std::vector<std::string>{});
  if (std::string(c.message).empty()) {
    EXPECT_TRUE(simMessageBoxes().empty());
  } else {
    ASSERT_EQ(simMessageBoxes().size(), 1u);
    const SimMessageBox& box = simMessageBoxes()[0];
    EXPECT_EQ(box.text, c.message);
    EXPECT_EQ(box.caption, "Error");  // in both languages
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.owner, nullptr);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, HelpDocumentTest, ::testing::ValuesIn(helpCases),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace bitscope::testing
