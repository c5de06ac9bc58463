// SPDX-License-Identifier: MIT
// The value operations on a loaded dialog (no window): which (kind, operation,
// selector) triples succeed, and what the accepted ones do.
#include <set>
#include <tuple>

#include "support.h"

namespace bitscope::test {
namespace {

// One control of each kind the table names, plus two that hold no values.
const char* const kindsScript = R"(
500 DIALOGEX 0, 0, 100, 100
BEGIN
  CONTROL "Label", 10, "Static", SS_LEFT, 0, 0, 1, 1
  CONTROL "Frame", 11, "Button", BS_GROUPBOX, 0, 0, 1, 1
  CONTROL "Push", 12, "Button", BS_PUSHBUTTON, 0, 0, 1, 1
  CONTROL "Check", 13, "Button", BS_AUTOCHECKBOX, 0, 0, 1, 1
  CONTROL "Radio", 14, "Button", BS_AUTORADIOBUTTON | WS_GROUP, 0, 0, 1, 1
  CONTROL "", 15, "Edit", WS_GROUP, 0, 0, 1, 1
  CONTROL "", 16, "ListBox", LBS_NOTIFY, 0, 0, 1, 1
  CONTROL "", 17, "ScrollBar", SBS_HORZ, 0, 0, 1, 1
  CONTROL "", 18, "NoSuchClass", 0, 0, 0, 1, 1
END
)";

enum Op { SetLogical, GetLogical, SetInteger, GetInteger, SetText, GetText };
enum Id {
  Static = 10,
  Group = 11,
  Push = 12,
  Check = 13,
  Radio = 14,
  EditBox = 15,
  List = 16,
  Scroll = 17,
  Odd = 18
};

// Selector 1 names the list's one item (or selection entry); 2 lies beyond it.
constexpr int selectors[] = {PROP_DEFAULT,
                             PROP_TITLE,
                             PROP_ENABLED,
                             PROP_STATE,
                             PROP_POSITION,
                             PROP_ITEMCOUNT,
                             PROP_ADDITEM,
                             PROP_TEXTLENGTH,
                             0,
                             1,
                             2};

// The accepted triples, as the property table lists them.
std::set<std::tuple<int, int, int>> acceptedTriples() {
  std::set<std::tuple<int, int, int>> accepted;
  auto add = [&](std::initializer_list<int> ids, std::initializer_list<Op> ops,
                 std::initializer_list<int> props) {
    for (int id : ids)
      for (Op op : ops)
        for (int prop : props) accepted.emplace(id, op, prop);
  };
  add({Static, Group, Push, EditBox, List}, {SetLogical, GetLogical}, {PROP_DEFAULT, PROP_ENABLED});
  add({Check, Radio}, {SetLogical, GetLogical}, {PROP_DEFAULT, PROP_STATE, PROP_ENABLED});
  add({EditBox}, {SetInteger, GetInteger}, {PROP_DEFAULT, PROP_TEXTLENGTH, PROP_POSITION});
  add({List}, {SetInteger, GetInteger}, {PROP_DEFAULT, PROP_ITEMCOUNT, 1});
  add({List}, {GetInteger}, {2});  // an entry beyond the count reads as 0
  add({Static, Group, Push, Check, Radio}, {SetText, GetText}, {PROP_DEFAULT, PROP_TITLE});
  add({EditBox}, {SetText, GetText}, {PROP_DEFAULT, PROP_STATE});
  add({List}, {SetText}, {PROP_ADDITEM, 1});
  add({List}, {GetText}, {PROP_DEFAULT, PROP_STATE, 1});
  return accepted;
}

auto snapshot(const ControlRecord& r) {
  return std::make_tuple(r.enabled, r.checked, r.text, r.caret, r.items, r.selection, r.selectedText);
}

class Properties : public DialogTest {
 protected:
  DialogModule module = moduleFrom(kindsScript);
  DialogObject dialog;

  void load() {
    ASSERT_TRUE(DLGLOAD(500, dialog, module));
    ASSERT_TRUE(DLGSETVALUE(dialog, List, "only item", PROP_ADDITEM));
  }
  const ControlRecord& recordOf(int id) {
    for (const ControlRecord& r : dialog.controls)
      if (r.id == id) return r;
    throw std::logic_error("no record");
  }
};

TEST_F(Properties, ExactlyTheListedTriplesSucceed) {
  const auto accepted = acceptedTriples();
  for (int id : {Static, Group, Push, Check, Radio, EditBox, List, Scroll, Odd}) {
    for (Op op : {SetLogical, GetLogical, SetInteger, GetInteger, SetText, GetText}) {
      for (int prop : selectors) {
        SCOPED_TRACE(testing::Message() << "control " << id << ", operation " << op << ", selector " << prop);
        load();
        const auto before = snapshot(recordOf(id));
        bool flag = true;
        int number = 77;
        std::string text = "untouched";
        bool ok = false;
        switch (op) {
          case SetLogical:
            ok = DLGSETVALUE(dialog, id, false, prop);
            break;
          case GetLogical:
            ok = DLGGETVALUE(dialog, id, flag, prop);
            break;
          case SetInteger:
            ok = DLGSETVALUE(dialog, id, 3, prop);
            break;
          case GetInteger:
            ok = DLGGETVALUE(dialog, id, number, prop);
            break;
          case SetText:
            ok = DLGSETVALUE(dialog, id, "new", prop);
            break;
          case GetText:
            ok = DLGGETVALUE(dialog, id, text, 12, prop);
            break;
        }
        const bool expected = accepted.count({id, op, prop}) > 0;
        EXPECT_EQ(ok, expected);
        if (!ok) {
          // A refused operation changes nothing.
          EXPECT_EQ(snapshot(recordOf(id)), before);
          EXPECT_TRUE(flag);
          EXPECT_EQ(number, 77);
          EXPECT_EQ(text, "untouched");
        }
      }
    }
  }
}

TEST_F(Properties, UnknownIdFailsEveryOperation) {
  load();
  bool flag = false;
  int number = 0;
  std::string text;
  EXPECT_FALSE(DLGSETVALUE(dialog, 999, true));
  EXPECT_FALSE(DLGSETVALUE(dialog, 999, 1));
  EXPECT_FALSE(DLGSETVALUE(dialog, 999, "x"));
  EXPECT_FALSE(DLGGETVALUE(dialog, 999, flag));
  EXPECT_FALSE(DLGGETVALUE(dialog, 999, number));
  EXPECT_FALSE(DLGGETVALUE(dialog, 999, text, 5));
}

TEST_F(Properties, TextsAreStoredWithoutTrailingBlanksAndHandedOutPaddedOrCut) {
  load();
  struct Row {
    std::string stored;
    int length;
    std::string expected;
  };
  const Row rows[] = {
      {"Hello", 8, "Hello   "},
      {"Hello", 3, "Hel"},
      {"Hello", 0, ""},
      {"Hello   ", 6, "Hello "},
      {"  lead", 6, "  lead"},
      {std::string("ab\0cd", 5), 4, "ab  "},
      {"", 2, "  "},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.stored);
    for (int id : {Static, Group, Push, Check, Radio, EditBox}) {
      ASSERT_TRUE(DLGSETVALUE(dialog, id, std::string_view(row.stored)));
      std::string out;
      ASSERT_TRUE(DLGGETVALUE(dialog, id, out, row.length));
      EXPECT_EQ(out, row.expected);
    }
  }
  std::string out = "unchanged";
  EXPECT_FALSE(DLGGETVALUE(dialog, Static, out, -1));
  EXPECT_EQ(out, "unchanged");
}

TEST_F(Properties, EditLengthCaretAndContent) {
  load();
  int number = 0;
  std::string text;
  // Padding to a length makes blanks that count, until a text set replaces them.
  ASSERT_TRUE(DLGSETVALUE(dialog, EditBox, 8, PROP_TEXTLENGTH));
  ASSERT_TRUE(DLGGETVALUE(dialog, EditBox, text, 10));
  EXPECT_EQ(text, std::string(10, ' '));
  ASSERT_TRUE(DLGGETVALUE(dialog, EditBox, number, PROP_TEXTLENGTH));
  EXPECT_EQ(number, 8);
  ASSERT_TRUE(DLGSETVALUE(dialog, EditBox, 5, PROP_POSITION));
  ASSERT_TRUE(DLGSETVALUE(dialog, EditBox, "0      "));
  ASSERT_TRUE(DLGGETVALUE(dialog, EditBox, number));
  EXPECT_EQ(number, 1);
  ASSERT_TRUE(DLGGETVALUE(dialog, EditBox, number, PROP_POSITION));
  EXPECT_EQ(number, 1);  // the caret follows the shorter text
  // A shorter length cuts the content and pulls the caret back; a negative one is refused.
  ASSERT_TRUE(DLGSETVALUE(dialog, EditBox, "abcdef"));
  ASSERT_TRUE(DLGSETVALUE(dialog, EditBox, 6, PROP_POSITION));
  ASSERT_TRUE(DLGSETVALUE(dialog, EditBox, 2));
  ASSERT_TRUE(DLGGETVALUE(dialog, EditBox, text, 4, PROP_STATE));
  EXPECT_EQ(text, "ab  ");
  ASSERT_TRUE(DLGGETVALUE(dialog, EditBox, number, PROP_POSITION));
  EXPECT_EQ(number, 2);
  EXPECT_FALSE(DLGSETVALUE(dialog, EditBox, -1, PROP_TEXTLENGTH));
}

TEST_F(Properties, ListItemsAreFixedFieldsAndSelectionEntriesEndInZero) {
  ASSERT_TRUE(DLGLOAD(500, dialog, module));
  const std::string longItem(300, 'L');
  ASSERT_TRUE(DLGSETVALUE(dialog, List, "first", PROP_ADDITEM));
  ASSERT_TRUE(DLGSETVALUE(dialog, List, std::string_view(longItem), PROP_ADDITEM));
  std::string text;
  ASSERT_TRUE(DLGGETVALUE(dialog, List, text, 300, 1));
  EXPECT_EQ(text, "first" + std::string(295, ' '));
  ASSERT_TRUE(DLGGETVALUE(dialog, List, text, 300, 2));
  EXPECT_EQ(text, std::string(256, 'L') + std::string(44, ' '));
  ASSERT_TRUE(DLGSETVALUE(dialog, List, "second", 2));
  ASSERT_TRUE(DLGGETVALUE(dialog, List, text, 7, 2));
  EXPECT_EQ(text, "second ");
  // Nothing selected: entry 1 reads 0, and so does any entry beyond the count.
  int entry = -1;
  for (int n : {1, 2, 9}) {
    ASSERT_TRUE(DLGGETVALUE(dialog, List, entry, n));
    EXPECT_EQ(entry, 0) << n;
  }
  ASSERT_TRUE(DLGGETVALUE(dialog, List, text, 3, PROP_STATE));
  EXPECT_EQ(text, "   ");
  ASSERT_TRUE(DLGSETVALUE(dialog, List, 2, 1));
  ASSERT_TRUE(DLGGETVALUE(dialog, List, entry, 1));
  EXPECT_EQ(entry, 2);
  // A new count keeps the first items, blanks the new ones and clears the selection.
  ASSERT_TRUE(DLGSETVALUE(dialog, List, 3, PROP_ITEMCOUNT));
  ASSERT_TRUE(DLGGETVALUE(dialog, List, entry, PROP_ITEMCOUNT));
  EXPECT_EQ(entry, 3);
  ASSERT_TRUE(DLGGETVALUE(dialog, List, text, 6, 1));
  EXPECT_EQ(text, "first ");
  ASSERT_TRUE(DLGGETVALUE(dialog, List, text, 2, 3));
  EXPECT_EQ(text, "  ");
  ASSERT_TRUE(DLGGETVALUE(dialog, List, entry, 1));
  EXPECT_EQ(entry, 0);
  EXPECT_EQ(recordOf(List).selection, (std::vector<int>{0, 0, 0}));
  // Neither a default nor a state text set can replace items.
  EXPECT_FALSE(DLGSETVALUE(dialog, List, "x"));
  EXPECT_FALSE(DLGSETVALUE(dialog, List, "x", PROP_STATE));
  EXPECT_FALSE(DLGSETVALUE(dialog, List, -1, PROP_ITEMCOUNT));
}

TEST_F(Properties, LogicalValuesReadBackAsSet) {
  load();
  bool flag = true;
  ASSERT_TRUE(DLGSETVALUE(dialog, Check, false));
  ASSERT_TRUE(DLGGETVALUE(dialog, Check, flag, PROP_STATE));
  EXPECT_FALSE(flag);
  ASSERT_TRUE(DLGGETVALUE(dialog, Check, flag, PROP_ENABLED));
  EXPECT_TRUE(flag);  // the state and the enabled value are separate
  for (int id : {Static, Group, Push, Check, Radio, EditBox, List}) {
    ASSERT_TRUE(DLGSETVALUE(dialog, id, false, PROP_ENABLED));
    ASSERT_TRUE(DLGGETVALUE(dialog, id, flag, PROP_ENABLED));
    EXPECT_FALSE(flag) << id;
  }
}

class MainDialogValues : public DialogTest {
 protected:
  DialogObject main;
  void SetUp() override {
    DialogTest::SetUp();
    ASSERT_TRUE(DLGLOAD(101, main));
  }
  std::vector<int> checkedRadios() {
    std::vector<int> ids;
    for (int id : {1011, 1012, 1013, 1045, 1046, 1050, 1051}) {
      bool checked = false;
      EXPECT_TRUE(DLGGETVALUE(main, id, checked));
      if (checked) ids.push_back(id);
    }
    return ids;
  }
};

TEST_F(MainDialogValues, RadioGroupRule) {
  struct Row {
    int id;
    bool value;
    std::vector<int> checked;  // afterwards, over all three groups
  };
  const Row rows[] = {
      {1013, true, {1013, 1045, 1050}},
      {1012, false, {1011, 1045, 1050}},  // turning one off checks the
                                          // group's first
      {1046, true, {1011, 1046, 1050}},
      {1051, true, {1011, 1046, 1051}},
      {1051, false, {1011, 1046, 1050}},
      {1011, false, {1011, 1046, 1050}},  // the first cannot be turned off
      {1012, true, {1012, 1046, 1050}},
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(DLGSETVALUE(main, row.id, row.value));
    EXPECT_EQ(checkedRadios(), row.checked) << "after " << row.id << " := " << row.value;
  }
}

// Id -1 occurs twenty times in the main dialog; only its first record is live.
TEST_F(MainDialogValues, DuplicateIdsReachTheFirstRecordOnly) {
  std::string text;
  ASSERT_TRUE(DLGGETVALUE(main, -1, text, 4));
  EXPECT_EQ(text, "1   ");
  ASSERT_TRUE(DLGSETVALUE(main, -1, "one"));
  ASSERT_TRUE(DLGGETVALUE(main, -1, text, 4));
  EXPECT_EQ(text, "one ");
  std::vector<std::string> labels;
  for (const ControlRecord& r : main.controls)
    if (r.id == -1) labels.push_back(r.text);
  ASSERT_EQ(labels.size(), 20u);
  EXPECT_EQ(labels[0], "one");
  EXPECT_EQ(labels[1], "15");
}

}  // namespace
}  // namespace bitscope::test
