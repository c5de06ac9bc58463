// SPDX-License-Identifier: MIT
// DLGSETCALLBACK: which events each kind accepts, the dialog's own callbacks,
// and which slot a window notice reaches with which event kind.
#include <map>
#include <set>

#include "support.h"

namespace bitscope::test {
namespace {

const char* const kindsScript = R"(
510 DIALOGEX 0, 0, 100, 100
BEGIN
  CONTROL "Label", 10, "Static", SS_LEFT, 0, 0, 1, 1
  CONTROL "Frame", 11, "Button", BS_GROUPBOX, 0, 0, 1, 1
  CONTROL "Push", 12, "Button", BS_PUSHBUTTON | WS_TABSTOP, 0, 0, 1, 1
  CONTROL "Check", 13, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 0, 1, 1
  CONTROL "Radio", 14, "Button", BS_AUTORADIOBUTTON | WS_GROUP, 0, 0, 1, 1
  CONTROL "", 15, "Edit", WS_GROUP | WS_TABSTOP, 0, 0, 1, 1
  CONTROL "", 16, "ListBox", LBS_NOTIFY | WS_TABSTOP, 0, 0, 1, 1
END
)";

constexpr int events[] = {EVT_INIT,   EVT_DESTROY,   EVT_SIZE,     EVT_CLICKED,   EVT_CHANGE,
                          EVT_UPDATE, EVT_SELCHANGE, EVT_DBLCLICK, EVT_GAINFOCUS, EVT_LOSEFOCUS};

class Callbacks : public DialogTest {
 protected:
  DialogModule module = moduleFrom(kindsScript);
  DialogObject dialog;
};

TEST_F(Callbacks, AcceptedEventKindsPerControlKind) {
  const std::map<int, std::set<int>> accepted = {
      {10, {}},
      {11, {}},
      {12, {EVT_CLICKED}},
      {13, {EVT_CLICKED}},
      {14, {EVT_CLICKED}},
      {15, {EVT_CHANGE, EVT_UPDATE, EVT_GAINFOCUS, EVT_LOSEFOCUS}},
      {16, {EVT_SELCHANGE, EVT_DBLCLICK}},
  };
  ASSERT_TRUE(DLGLOAD(510, dialog, module));
  for (const auto& [id, kinds] : accepted) {
    EXPECT_EQ(DLGSETCALLBACK(dialog, id, record), !kinds.empty()) << "control " << id << ", no event kind";
    for (int event : events)
      EXPECT_EQ(DLGSETCALLBACK(dialog, id, record, event), kinds.count(event) > 0)
          << "control " << id << ", event " << event;
  }
  EXPECT_FALSE(DLGSETCALLBACK(dialog, 999, record));
  EXPECT_FALSE(DLGSETCALLBACK(dialog, 12, nullptr));
}

TEST_F(Callbacks, TemplateIdSetsTheDialogCallbackOrWithSizeTheSizeSlot) {
  ASSERT_TRUE(DLGLOAD(510, dialog, module));
  EXPECT_TRUE(DLGSETCALLBACK(dialog, 510, record, EVT_CLICKED));  // any kind but EVT_SIZE
  EXPECT_EQ(dialog.dialogCallback, &record);
  EXPECT_NE(dialog.sizeCallback, &record);
  EXPECT_TRUE(DLGSETCALLBACK(dialog, 510, record, EVT_SIZE));
  EXPECT_EQ(dialog.sizeCallback, &record);

  ASSERT_TRUE(DLGMODELESS(dialog));
  LowWindow* window = simFindWindow(510);
  simResize(window, LowSizeKind::Minimised);
  DLGEXIT(dialog);
  EXPECT_EQ(calls(),
            (std::vector<Call>{{510, 510, EVT_INIT}, {510, 510, EVT_SIZE}, {510, 510, EVT_DESTROY}}));
}

// Each slot holds its own routine; a notice reaches the slot of its event.
void onClicked(DialogObject& d, int id, int) { record(d, id, EVT_CLICKED * 100); }
void onChange(DialogObject& d, int id, int e) { record(d, id, e); }
void onUpdate(DialogObject& d, int id, int e) { record(d, id, e - 1000); }
void onGain(DialogObject& d, int id, int e) { record(d, id, e - 2000); }
void onLose(DialogObject& d, int id, int e) { record(d, id, e - 3000); }
void onSelect(DialogObject& d, int id, int e) { record(d, id, e - 4000); }
void onDouble(DialogObject& d, int id, int e) { record(d, id, e - 5000); }

TEST_F(Callbacks, NoticesReachTheirSlotsWithTheirEventKinds) {
  ASSERT_TRUE(DLGLOAD(510, dialog, module));
  ASSERT_TRUE(DLGSETCALLBACK(dialog, 13, record));
  ASSERT_TRUE(DLGSETCALLBACK(dialog, 14, onClicked, EVT_CLICKED));
  ASSERT_TRUE(DLGSETCALLBACK(dialog, 15, onChange));
  ASSERT_TRUE(DLGSETCALLBACK(dialog, 15, onUpdate, EVT_UPDATE));
  ASSERT_TRUE(DLGSETCALLBACK(dialog, 15, onGain, EVT_GAINFOCUS));
  ASSERT_TRUE(DLGSETCALLBACK(dialog, 15, onLose, EVT_LOSEFOCUS));
  ASSERT_TRUE(DLGSETCALLBACK(dialog, 16, onSelect));
  ASSERT_TRUE(DLGSETCALLBACK(dialog, 16, onDouble, EVT_DBLCLICK));
  ASSERT_TRUE(DLGSETVALUE(dialog, 16, "item", PROP_ADDITEM));
  ASSERT_TRUE(DLGMODELESS(dialog));
  LowWindow* window = simFindWindow(510);
  calls().clear();

  ASSERT_TRUE(simClick(window, 13));
  ASSERT_TRUE(simClick(window, 14));
  ASSERT_TRUE(simType(window, 15, "a"));
  ASSERT_TRUE(simDoubleClickListItem(window, 16, 0));
  EXPECT_FALSE(simClick(window, 10));  // labels and frames take no clicks
  EXPECT_FALSE(simClick(window, 11));
  const std::vector<Call> expected = {
      {510, 13, EVT_CLICKED},          {510, 14, EVT_CLICKED * 100},   {510, 15, EVT_GAINFOCUS - 2000},
      {510, 15, EVT_UPDATE - 1000},    {510, 15, EVT_CHANGE},          {510, 15, EVT_LOSEFOCUS - 3000},
      {510, 16, EVT_SELCHANGE - 4000}, {510, 16, EVT_DBLCLICK - 5000},
  };
  EXPECT_EQ(calls(), expected);
  DLGEXIT(dialog);
}

TEST_F(Callbacks, LaterRegistrationReplacesTheEarlier) {
  ASSERT_TRUE(DLGLOAD(510, dialog, module));
  ASSERT_TRUE(DLGSETCALLBACK(dialog, 13, onClicked));
  ASSERT_TRUE(DLGSETCALLBACK(dialog, 13, record));
  ASSERT_TRUE(DLGMODELESS(dialog));
  ASSERT_TRUE(simClick(simFindWindow(510), 13));
  EXPECT_EQ(calls(), (std::vector<Call>{{510, 13, EVT_CLICKED}}));
  DLGEXIT(dialog);
}

}  // namespace
}  // namespace bitscope::test
