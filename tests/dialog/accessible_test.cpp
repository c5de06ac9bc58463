// SPDX-License-Identifier: MIT
// Accessible texts through the dialog layer and the simulated binding: when
// they reach a window, and how a bit box tells where its caret is.
#include "support.h"

namespace bitscope::test {
namespace {

const char* const script = R"(
600 DIALOGEX 0, 0, 100, 100
BEGIN
  CONTROL "", 20, "Edit", WS_TABSTOP, 0, 0, 10, 10
  CONTROL "Shown", 21, "Static", SS_LEFT, 0, 0, 10, 10
  CONTROL "", 22, "Static", SS_LEFT, 0, 0, 10, 10
  CONTROL "Go", 23, "Button", BS_PUSHBUTTON | WS_TABSTOP, 0, 0, 10, 10
END
)";

AccessibleText bitsText() {
  AccessibleText text;
  text.name = "Exponent";
  text.description = "Biased.";
  text.caretNote = "At bit %1.";
  text.endNote = "After bit %1.";
  return text;
}

class Accessible : public DialogTest {
 protected:
  DialogModule module = moduleFrom(script);
  DialogObject dialog;
};

TEST_F(Accessible, TextsSetBeforeTheWindowArriveWithItAndLaterOnesAtOnce) {
  ASSERT_TRUE(DLGLOAD(600, dialog, module));
  EXPECT_TRUE(DLGSETACCESSIBLETEXT(dialog, 20, bitsText()));
  EXPECT_FALSE(DLGSETACCESSIBLETEXT(dialog, 99, bitsText()));
  ASSERT_TRUE(DLGMODELESS(dialog));
  LowWindow* window = dialog.window;
  EXPECT_EQ(simAccessibleName(window, 20), "Exponent");

  AccessibleText push;
  push.description = "Starts it";
  DLGSETACCESSIBLETEXT(dialog, 23, push);
  EXPECT_EQ(simAccessibleName(window, 23), "Go");  // no name of its own: its caption
  EXPECT_EQ(simAccessibleDescription(window, 23), "Starts it");

  // Labels are heard as they read, an empty one as nothing at all.
  EXPECT_EQ(simAccessibleName(window, 21), "Shown");
  EXPECT_EQ(simAccessibleName(window, 22), "");
  DLGSETVALUE(dialog, 21, "Changed");
  EXPECT_EQ(simAccessibleName(window, 21), "Changed");
  DLGEXIT(dialog);
}

TEST_F(Accessible, ABitBoxTellsTheBitAtItsCaretAsTheCaretMoves) {
  ASSERT_TRUE(DLGLOAD(600, dialog, module));
  DLGSETACCESSIBLETEXT(dialog, 20, bitsText());
  DLGSETVALUE(dialog, 20, "0101");
  ASSERT_TRUE(DLGMODELESS(dialog));
  LowWindow* window = dialog.window;
  simSelectText(window, 20, 0, 0);
  EXPECT_EQ(simAccessibleDescription(window, 20), "Biased. At bit 1.");
  simSelectText(window, 20, 2, 2);
  EXPECT_EQ(simAccessibleDescription(window, 20), "Biased. At bit 3.");
  simSelectText(window, 20, 4, 4);
  EXPECT_EQ(simAccessibleDescription(window, 20), "Biased. After bit 4.");
  DLGEXIT(dialog);
}

TEST(DescribedWithCaret, CountsFromTheBoxsFirstBitAndKeepsInsideTheText) {
  AccessibleText text = bitsText();
  text.firstIndex = 49;  // a box that continues a field
  EXPECT_EQ(describedWithCaret(text, 0, 64), "Biased. At bit 49.");
  EXPECT_EQ(describedWithCaret(text, 63, 64), "Biased. At bit 112.");
  EXPECT_EQ(describedWithCaret(text, 64, 64), "Biased. After bit 112.");
  EXPECT_EQ(describedWithCaret(text, 90, 64), "Biased. After bit 112.");  // a caret beyond the text
  EXPECT_EQ(describedWithCaret(text, 0, 0), "Biased. At bit 49.");        // an empty box
  text.caretNote.clear();
  EXPECT_EQ(describedWithCaret(text, 3, 64), "Biased.");
}

}  // namespace
}  // namespace bitscope::test
