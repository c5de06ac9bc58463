// SPDX-License-Identifier: MIT
// DLGLOAD: kinds by class and style, starting values, radio groups, duplicate
// ids, and the styles it refuses.
#include "support.h"

namespace bitscope::test {
namespace {

class Loader : public DialogTest {
 protected:
  DialogObject dialog;

  const ControlRecord& recordOf(int id) {
    for (const ControlRecord& r : dialog.controls)
      if (r.id == id) return r;
    throw std::logic_error("no record " + std::to_string(id));
  }
  int indexOf(int id) { return static_cast<int>(&recordOf(id) - dialog.controls.data()); }
};

TEST_F(Loader, MainDialogStartingValues) {
  ASSERT_TRUE(DLGLOAD(101, dialog));
  EXPECT_EQ(dialog.templateId, 101);
  EXPECT_EQ(dialog.result, 1);
  EXPECT_EQ(dialog.window, nullptr);
  EXPECT_TRUE(dialog.changed);
  EXPECT_FALSE(dialog.updating);
  ASSERT_EQ(dialog.controls.size(), 62u);
  bool flag = false;
  // Check boxes start checked, radio buttons checked only as the first of a group.
  ASSERT_TRUE(DLGGETVALUE(dialog, 1043, flag));
  EXPECT_TRUE(flag);
  for (const auto& [id, first] : std::vector<std::pair<int, bool>>{{1011, true},
                                                                   {1012, false},
                                                                   {1013, false},
                                                                   {1045, true},
                                                                   {1046, false},
                                                                   {1050, true},
                                                                   {1051, false}}) {
    ASSERT_TRUE(DLGGETVALUE(dialog, id, flag));
    EXPECT_EQ(flag, first) << id;
  }
  // Edit boxes start empty.
  for (int id : {1007, 1014, 1015, 1016, 1018, 1026, 1027, 1028, 1032, 1033, 1035, 1036, 1008, 1019, 1020}) {
    int length = -1;
    std::string text;
    ASSERT_TRUE(DLGGETVALUE(dialog, id, length));
    EXPECT_EQ(length, 0) << id;
    ASSERT_TRUE(DLGGETVALUE(dialog, id, text, 3));
    EXPECT_EQ(text, "   ") << id;
  }
  // Labels are the titles without trailing blanks; everything starts enabled and changed.
  EXPECT_EQ(recordOf(1054).text, "Data Type   (click a format field)");
  EXPECT_EQ(recordOf(1042).text, "ulp\n?");
  EXPECT_EQ(recordOf(1044).items.size(), 0u);
  EXPECT_EQ(recordOf(1044).selectedText, std::string(listItemWidth, ' '));
  for (const ControlRecord& r : dialog.controls) {
    EXPECT_TRUE(r.enabled) << r.id;
    EXPECT_TRUE(r.changed) << r.id;
  }
  // Only the first of the twenty id -1 labels is live.
  int live = 0, duplicates = 0;
  for (const ControlRecord& r : dialog.controls) {
    if (r.id != -1) {
      EXPECT_FALSE(r.duplicate) << r.id;
      continue;
    }
    (r.duplicate ? duplicates : live) += 1;
  }
  EXPECT_EQ(live, 1);
  EXPECT_EQ(duplicates, 19);
}

TEST_F(Loader, MainDialogHasThreeRadioGroups) {
  ASSERT_TRUE(DLGLOAD(101, dialog));
  const std::vector<std::vector<int>> groups = {{1011, 1012, 1013}, {1045, 1046}, {1050, 1051}};
  for (const auto& group : groups) {
    for (int id : group) {
      EXPECT_EQ(recordOf(id).kind, ControlKind::RadioButton);
      EXPECT_EQ(recordOf(id).groupFirst, indexOf(group.front())) << id;
      EXPECT_EQ(recordOf(id).groupLast, indexOf(group.back())) << id;
    }
  }
}

TEST_F(Loader, KindsByClassAndStyle) {
  const DialogModule module = moduleFrom(R"(
600 DIALOGEX 0, 0, 10, 10
BEGIN
  CONTROL "", 1, "Button", BS_PUSHBUTTON, 0, 0, 1, 1
  CONTROL "", 2, "Button", BS_DEFPUSHBUTTON, 0, 0, 1, 1
  CONTROL "", 3, "Button", BS_AUTOCHECKBOX, 0, 0, 1, 1
  CONTROL "", 4, "Button", BS_RADIOBUTTON | WS_GROUP, 0, 0, 1, 1
  CONTROL "", 5, "Button", BS_3STATE | WS_GROUP, 0, 0, 1, 1
  CONTROL "", 6, "Button", BS_AUTO3STATE | WS_GROUP, 0, 0, 1, 1
  CONTROL "", 7, "Button", BS_GROUPBOX | WS_GROUP, 0, 0, 1, 1
  CONTROL "", 8, "Edit", ES_READONLY, 0, 0, 1, 1
  CONTROL "", 9, "Static", SS_ICON, 0, 0, 1, 1
  CONTROL "", 10, "ListBox", LBS_NOTIFY, 0, 0, 1, 1
  CONTROL "", 11, "ScrollBar", SBS_VERT, 0, 0, 1, 1
  CONTROL "", 12, "ComboBox", CBS_DROPDOWN, 0, 0, 1, 1
  CONTROL "", 13, "ComboBox", CBS_DROPDOWNLIST, 0, 0, 1, 1
  CONTROL "", 14, "msctls_updown32", 0, 0, 0, 1, 1
  CONTROL "", 15, "msctls_trackbar32", 0, 0, 0, 1, 1
  CONTROL "", 16, "msctls_progress32", 0, 0, 0, 1, 1
  CONTROL "", 17, "SysTabControl32", 0, 0, 0, 1, 1
  CONTROL "", 18, "Mystery", 0, 0, 0, 1, 1
  CONTROL "", 19, "Button", BS_AUTORADIOBUTTON | WS_GROUP | WS_DISABLED, 0, 0, 1, 1
END
)");
  ASSERT_TRUE(DLGLOAD(600, dialog, module));
  const std::vector<std::pair<int, ControlKind>> rows = {
      {1, ControlKind::PushButton},    {2, ControlKind::PushButton},  {3, ControlKind::CheckBox},
      {4, ControlKind::RadioButton},   {5, ControlKind::RadioButton}, {6, ControlKind::RadioButton},
      {7, ControlKind::GroupBox},      {8, ControlKind::EditBox},     {9, ControlKind::StaticText},
      {10, ControlKind::ListBox},      {11, ControlKind::ScrollBar},  {12, ControlKind::ComboBox},
      {13, ControlKind::DropDownList}, {14, ControlKind::Spinner},    {15, ControlKind::Slider},
      {16, ControlKind::ProgressBar},  {17, ControlKind::TabControl}, {18, ControlKind::Unknown},
      {19, ControlKind::RadioButton},
  };
  for (const auto& [id, kind] : rows) EXPECT_EQ(recordOf(id).kind, kind) << id;
  EXPECT_FALSE(recordOf(19).enabled);
  // The kinds without values refuse everything, callbacks included.
  for (int id : {11, 12, 13, 14, 15, 16, 17, 18}) {
    bool flag = false;
    std::string text;
    EXPECT_FALSE(DLGSETVALUE(dialog, id, true, PROP_ENABLED)) << id;
    EXPECT_FALSE(DLGGETVALUE(dialog, id, flag, PROP_ENABLED)) << id;
    EXPECT_FALSE(DLGGETVALUE(dialog, id, text, 4)) << id;
    EXPECT_FALSE(DLGSETCALLBACK(dialog, id, record)) << id;
  }
}

TEST_F(Loader, RadioGroupsCloseAtTheLastAutomaticRadioOrTheEnd) {
  const DialogModule module = moduleFrom(R"(
610 DIALOGEX 0, 0, 10, 10
BEGIN
  CONTROL "", 1, "Button", BS_AUTORADIOBUTTON | WS_GROUP, 0, 0, 1, 1
  CONTROL "", 2, "Button", BS_AUTORADIOBUTTON, 0, 0, 1, 1
  CONTROL "", 3, "Button", BS_RADIOBUTTON, 0, 0, 1, 1
  CONTROL "", 4, "Edit", WS_GROUP, 0, 0, 1, 1
  CONTROL "", 5, "Button", BS_RADIOBUTTON | WS_GROUP, 0, 0, 1, 1
  CONTROL "", 6, "Static", 0, 0, 0, 1, 1
  CONTROL "", 7, "Button", BS_AUTORADIOBUTTON, 0, 0, 1, 1
  CONTROL "", 8, "Button", BS_AUTORADIOBUTTON, 0, 0, 1, 1
END
)");
  ASSERT_TRUE(DLGLOAD(610, dialog, module));
  // The plain radio 3 is not automatic: the first group closes at 2, and 3 opens its own.
  EXPECT_EQ(std::make_pair(recordOf(1).groupFirst, recordOf(1).groupLast), std::make_pair(0, 1));
  EXPECT_EQ(std::make_pair(recordOf(2).groupFirst, recordOf(2).groupLast), std::make_pair(0, 1));
  EXPECT_EQ(std::make_pair(recordOf(3).groupFirst, recordOf(3).groupLast), std::make_pair(2, 2));
  EXPECT_TRUE(recordOf(3).checked);
  // The last group runs to the end of the template, over a label.
  for (int id : {5, 7, 8})
    EXPECT_EQ(std::make_pair(recordOf(id).groupFirst, recordOf(id).groupLast), std::make_pair(4, 7));
  EXPECT_TRUE(recordOf(5).checked);
  EXPECT_FALSE(recordOf(8).checked);
  ASSERT_TRUE(DLGSETVALUE(dialog, 8, true));
  EXPECT_FALSE(recordOf(5).checked);
  EXPECT_TRUE(recordOf(8).checked);
}

TEST_F(Loader, MissingTemplateLeavesOnlyTheFirstFields) {
  ASSERT_TRUE(DLGLOAD(101, dialog));
  EXPECT_FALSE(DLGLOAD(4242, dialog));
  EXPECT_EQ(dialog.templateId, 4242);
  EXPECT_EQ(dialog.result, 1);
  EXPECT_FALSE(dialog.loaded);
  EXPECT_TRUE(dialog.controls.empty());
  EXPECT_FALSE(DLGSETVALUE(dialog, 1007, "x"));
  EXPECT_FALSE(DLGSETCALLBACK(dialog, 4242, record));
  EXPECT_EQ(DLGMODAL(dialog), -1);
  EXPECT_FALSE(DLGMODELESS(dialog));
}

TEST_F(Loader, ReleaseReturnsTheObjectToUnloaded) {
  ASSERT_TRUE(DLGLOAD(103, dialog));
  DLGRELEASE(dialog);
  EXPECT_FALSE(dialog.loaded);
  EXPECT_FALSE(DLGSETVALUE(dialog, 1022, "x"));
  EXPECT_EQ(DLGMODAL(dialog), -1);
  ASSERT_TRUE(DLGLOAD(103, dialog));
  std::string text;
  ASSERT_TRUE(DLGGETVALUE(dialog, 1, text, 2));
  EXPECT_EQ(text, "OK");
}

struct RejectedRow {
  const char* style;
  const char* name;
};

using LoaderDeathTest = Loader;

TEST_F(LoaderDeathTest, RejectedStylesStopTheProgramAfterTheErrorBox) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const RejectedRow rows[] = {
      {"BS_CHECKBOX", "<unknown>"},
      {"BS_USERBUTTON", "BS_USERBUTTON"},
      {"BS_OWNERDRAW", "BS_OWNERDRAW"},
      {"BS_PUSHBOX", "<unknown>"},
      {"0xF", "<unknown>"},
      {"0xC", "<unknown>"},
  };
  for (const RejectedRow& row : rows) {
    SCOPED_TRACE(row.style);
    const DialogModule module = moduleFrom(std::string("620 DIALOGEX 0,0,1,1 BEGIN\n"
                                                       "CONTROL \"ok\", 5, \"Static\", 0, 0, 0, 1, 1\n"
                                                       "CONTROL \"bad\", 1234, \"Button\", ") +
                                           row.style + ", 0, 0, 1, 1\nEND");
    EXPECT_EXIT(
        DLGLOAD(620, dialog, module), testing::ExitedWithCode(1),
        std::string("\"Dialog Procedure Error\": Invalid style ") + row.name + " used for control 1234");
  }
  for (const RejectedRow& row : {RejectedRow{"LBS_OWNERDRAWFIXED", "LBS_OWNERDRAWFIXED"},
                                 RejectedRow{"LBS_OWNERDRAWVARIABLE", "LBS_OWNERDRAWVARIABLE"}}) {
    SCOPED_TRACE(row.style);
    const DialogModule module = moduleFrom(std::string("621 DIALOGEX 0,0,1,1 BEGIN\n"
                                                       "CONTROL \"\", -3, \"ListBox\", LBS_NOTIFY | ") +
                                           row.style + ", 0, 0, 1, 1\nEND");
    EXPECT_EXIT(DLGLOAD(621, dialog, module), testing::ExitedWithCode(1),
                std::string("Invalid style ") + row.name + " used for control -3");
  }
}

}  // namespace
}  // namespace bitscope::test
