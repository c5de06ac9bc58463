// Tooltips through the dialog layer and the simulated binding: when they reach
// a window, and which character they are asked about.
#include "support.h"

namespace bitscope::test {
namespace {

const char* const script = R"(
601 DIALOGEX 0, 0, 100, 100
BEGIN
  CONTROL "", 20, "Edit", WS_TABSTOP, 0, 0, 10, 10
END
)";

// Says which character it was asked about, so that a test sees the question.
ToolTipSource characterTip(const std::string& prefix) {
  return {[prefix](int character) { return prefix + std::to_string(character); }, "Copy", [] { return "all"; }};
}

class DialogToolTip : public DialogTest {
 protected:
  DialogModule module = moduleFrom(script);
  DialogObject dialog;
};

TEST_F(DialogToolTip, ASourceSetBeforeTheWindowArrivesWithItAndALaterOneReplacesIt) {
  ASSERT_TRUE(DLGLOAD(601, dialog, module));
  EXPECT_TRUE(DLGSETTOOLTIP(dialog, 20, characterTip("a")));
  EXPECT_FALSE(DLGSETTOOLTIP(dialog, 99, characterTip("a")));
  DLGSETVALUE(dialog, 20, "0101");
  ASSERT_TRUE(DLGMODELESS(dialog));
  LowWindow* window = dialog.window;
  EXPECT_EQ(simToolTip(window, 20, 3), "a3");
  EXPECT_EQ(simToolTip(window, 20, 4), "a-1");  // past the text: on no character
  EXPECT_EQ(simCopyItemLabel(window, 20), "Copy");
  EXPECT_EQ(simCopyItemText(window, 20), "all");

  DLGSETTOOLTIP(dialog, 20, characterTip("b"));
  EXPECT_EQ(simToolTip(window, 20, 0), "b0");
  DLGEXIT(dialog);
}

}  // namespace
}  // namespace bitscope::test
