// SPDX-License-Identifier: MIT
// The About box: modal over the main window, in the language of each press,
// and gone (window and table) once closed.
#include <string>

#include "handler_fixture.h"

namespace bitscope::testing {
namespace {

struct AboutSeen {
  std::string title;
  std::string description;
  std::string notice;
  bool modal = false;
  bool ownerIsMain = false;
  bool mainEnabled = true;
};

class AboutTest : public HandlerTest {
 protected:
  // Presses "About", looks at the box while it runs, then closes it with key.
  AboutSeen pressAbout(SimKey key) {
    AboutSeen seen;
    simQueue([this, &seen] {
      LowWindow* box = simFindWindow(aboutTemplateId);
      ASSERT_NE(box, nullptr);
      seen = {box->title, simControl(box, 1022)->text, simControl(box, 1023)->text,
              box->modal, box->owner == mainWindow(),  mainWindow()->enabled};
    });
    simQueueKey(key);
    EXPECT_TRUE(simClick(mainWindow(), aboutButton));
    EXPECT_EQ(simFindWindow(aboutTemplateId), nullptr);
    EXPECT_EQ(simPendingSteps(), 0u);
    EXPECT_TRUE(mainWindow()->enabled);
    return seen;
  }
};

TEST_F(AboutTest, ShowsTheTextsOfEachPressLanguageModallyAndLeavesNothingBehind) {
  const AboutSeen romanian = pressAbout(SimKey::Enter);
  EXPECT_EQ(romanian.title, "Despre Program");
  EXPECT_EQ(romanian.description,
            "BITSCOPE\n\nReprezentarea datelor in vigula flotanta, intr-un format binar");
  EXPECT_TRUE(romanian.modal);
  EXPECT_TRUE(romanian.ownerIsMain);
  EXPECT_FALSE(romanian.mainEnabled);
  // The notice: one line after a line break, within the box's 100 characters.
  ASSERT_GE(romanian.notice.size(), 2u);
  EXPECT_EQ(romanian.notice.front(), '\n');
  EXPECT_EQ(romanian.notice.find_first_of("\r\n", 1), std::string::npos);
  EXPECT_LE(romanian.notice.size(), 100u);

  const AboutSeen again = pressAbout(SimKey::Escape);
  EXPECT_EQ(again.title, romanian.title);
  EXPECT_EQ(again.description, romanian.description);
  EXPECT_EQ(again.notice, romanian.notice);

  switchLanguage(Language::English);
  const AboutSeen english = pressAbout(SimKey::Enter);
  EXPECT_EQ(english.title, "About Program");
  EXPECT_EQ(english.description, "BITSCOPE\n\nRepresentation of Floating Point Data in a Binary Format");
  EXPECT_EQ(english.notice, romanian.notice);
}

}  // namespace
}  // namespace bitscope::testing
