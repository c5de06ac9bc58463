// SPDX-License-Identifier: MIT
// The resource-script parser and the program's three templates as parsed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "dialog/dlgtemplate.h"
#include "dialog/embedded_script.h"
#include "dialog/rcparse.h"
#include "dialog/winstyle.h"

namespace bitscope {
namespace {

using namespace winstyle;

const TemplateItem* itemWithId(const DialogTemplate& tpl, int id, int occurrence = 1) {
  for (const TemplateItem& item : tpl.items)
    if (item.id == id && --occurrence == 0) return &item;
  return nullptr;
}

// ---- The program's templates --------------------------------------------------

TEST(ProgramTemplates, EmbeddedScriptParsesIntoTheThreeDialogs) {
  const RcParseResult parsed = parseResourceScript(embeddedResourceScript());
  ASSERT_FALSE(parsed.error) << describe(*parsed.error);
  ASSERT_EQ(parsed.dialogs.size(), 3u);
  EXPECT_EQ(parsed.dialogs[0].id, 101);
  EXPECT_EQ(parsed.dialogs[1].id, 103);
  EXPECT_EQ(parsed.dialogs[2].id, 111);
  EXPECT_EQ(findDialogTemplate(101)->items.size(), 62u);
  EXPECT_EQ(findDialogTemplate(103)->items.size(), 5u);
  EXPECT_EQ(findDialogTemplate(111)->items.size(), 11u);
  EXPECT_EQ(findDialogTemplate(102), nullptr);
}

TEST(ProgramTemplates, MainDialogIdsFollowTheControlTableOrder) {
  const std::vector<int> expected = {
      30001, 1052, 1053, 2,    1007, 1011, 1012, 1013, 1014, 1015, 1016, -1,   -1,   1026, 1027, 1028,
      -1,    1032, 1033, 1035, -1,   -1,   -1,   -1,   -1,   1029, 1030, 1031, 1036, 1008, -1,   -1,
      1040,  1041, 1042, 1055, 1056, 1019, 1059, 1058, 1020, 1060, 1043, 1054, 1044, 1057, -1,   -1,
      -1,    -1,   1034, 1045, 1046, 1050, 1051, 1018, -1,   -1,   -1,   -1,   -1,   -1};
  std::vector<int> ids;
  for (const TemplateItem& item : findDialogTemplate(101)->items) ids.push_back(item.id);
  EXPECT_EQ(ids, expected);
}

struct DialogHeaderRow {
  int id;
  const char* caption;
  int x, y, width, height;
  const char* font;
  int points;
  std::uint32_t required;
  std::uint32_t forbidden;
  std::uint32_t exStyle;
};

TEST(ProgramTemplates, DialogHeaders) {
  const DialogHeaderRow rows[] = {
      {101, "Bitscope", 40, 40, 428, 323, "MS Sans Serif", 8,
       WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_SETFONT,
       WS_MAXIMIZEBOX | WS_THICKFRAME | WS_VISIBLE | DS_MODALFRAME, WS_EX_APPWINDOW},
      {103, "About Program", 0, 0, 174, 99, "Times New Roman", 11,
       WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER, WS_SYSMENU | WS_VISIBLE, 0},
      {111, "Floating-Point Data - Summary", 0, 0, 260, 318, "MS Sans Serif", 10,
       WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, WS_VISIBLE, 0},
  };
  for (const DialogHeaderRow& row : rows) {
    SCOPED_TRACE(row.id);
    const DialogTemplate& tpl = *findDialogTemplate(row.id);
    EXPECT_EQ(tpl.caption, row.caption);
    EXPECT_EQ((std::vector<int>{tpl.x, tpl.y, tpl.width, tpl.height}),
              (std::vector<int>{row.x, row.y, row.width, row.height}));
    EXPECT_EQ(tpl.fontName, row.font);
    EXPECT_EQ(tpl.fontPointSize, row.points);
    EXPECT_EQ(tpl.style & row.required, row.required);
    EXPECT_EQ(tpl.style & row.forbidden, 0u);
    EXPECT_EQ(tpl.exStyle, row.exStyle);
  }
}

struct ItemRow {
  int dialog;
  int id;
  int occurrence;  // of the id in the template
  ControlClass controlClass;
  const char* title;
  int x, y, width, height;
  std::uint32_t typeBits;  // the low bits naming the button or static type
  std::uint32_t typeMask;
  std::uint32_t required;
  std::uint32_t forbidden;
  std::uint32_t exStyle;
};

TEST(ProgramTemplates, ItemsMatchTheControlTables) {
  constexpr auto Button = ControlClass::Button;
  constexpr auto Edit = ControlClass::Edit;
  constexpr auto Static = ControlClass::Static;
  const ItemRow rows[] = {
      {101, 30001, 1, Button, "Exit", 376, 300, 45, 15, BS_PUSHBUTTON, BS_TYPEMASK, WS_VISIBLE | WS_CHILD, 0,
       0},
      {101, 2, 1, Button, "CANCEL", 8, 300, 40, 15, BS_PUSHBUTTON, BS_TYPEMASK, 0, WS_VISIBLE, 0},
      {101, 1007, 1, Edit, "", 21, 39, 171, 12, 0, 0, ES_AUTOHSCROLL, ES_READONLY | WS_DISABLED, 0},
      {101, 1011, 1, Button, "32        Binary32", 346, 47, 67, 10, BS_AUTORADIOBUTTON, BS_TYPEMASK, WS_GROUP,
       0, 0},
      {101, 1015, 1, Edit, "", 35, 226, 67, 12, 0, 0, ES_NUMBER, ES_READONLY, WS_EX_STATICEDGE},
      {101, -1, 2, Static, "15", 65, 215, 9, 10, SS_LEFT, SS_TYPEMASK, WS_VISIBLE, 0, 0},
      {101, 1036, 1, Edit, "", 201, 39, 100, 12, 0, 0, ES_READONLY, ES_NUMBER, 0},
      {101, 1041, 1, Button, "DESPRE", 191, 299, 44, 16, BS_PUSHBUTTON, BS_TYPEMASK, 0, 0, WS_EX_TRANSPARENT},
      {101, 1042, 1, Button, "ulp\n?", 303, 75, 20, 20, BS_PUSHBUTTON, BS_TYPEMASK,
       BS_FLAT | BS_MULTILINE | BS_ICON, 0, 0},
      {101, 1019, 1, Edit, "", 331, 205, 17, 12, 0, 0, ES_READONLY | ES_NUMBER, 0, 0},
      {101, 1058, 1, Static, "Cursor Position in Field\n(msb = 1)", 331, 179, 73, 17, SS_LEFT, SS_TYPEMASK, 0,
       0, 0},
      {101, 1043, 1, Button, "Binary X+ -", 21, 70, 48, 10, BS_AUTOCHECKBOX, BS_TYPEMASK, 0, WS_DISABLED, 0},
      {101, 1054, 1, Static, "Data Type   (click a format field) ", 201, 27, 122, 8, SS_LEFT, SS_TYPEMASK, 0,
       0, 0},
      {101, 1044, 1, ControlClass::ListBox, "", 201, 77, 91, 18, 0, 0, LBS_NOTIFY | WS_VSCROLL, WS_DISABLED,
       0},
      {101, -1, 11, Static, "lsb", 288, 194, 10, 8, SS_LEFTNOWORDWRAP, SS_TYPEMASK, 0, 0, 0},
      {101, 1046, 1, Button, "Campul curent (click pe un camp)", 222, 121, 122, 11, BS_AUTORADIOBUTTON,
       BS_TYPEMASK, BS_FLAT, WS_GROUP, 0},
      {101, -1, 20, Static, "(112)", 285, 272, 17, 10, SS_LEFT, SS_TYPEMASK, 0, 0, WS_EX_TRANSPARENT},
      {103, 1, 1, Button, "OK", 137, 80, 30, 12, BS_DEFPUSHBUTTON, BS_TYPEMASK, BS_FLAT, 0, 0},
      {103, 2, 1, Button, "Cancel", 7, 80, 32, 12, BS_PUSHBUTTON, BS_TYPEMASK, 0, WS_VISIBLE, 0},
      {103, 1022, 1, Static, "BITSCOPE\n\nRepresentation of Floating Point Data in a Binary Format", 7, 7,
       160, 36, SS_LEFT, SS_TYPEMASK, 0, 0, WS_EX_STATICEDGE},
      {103, -1, 1, Static, "", 79, 77, 20, 20, SS_ICON, SS_TYPEMASK, SS_CENTERIMAGE, 0, 0},
      {111, 1, 1, Button, "OK", 217, 300, 33, 12, BS_DEFPUSHBUTTON, BS_TYPEMASK, 0, 0, 0},
      {111, 2, 1, Button, "Cancel", 104, 300, 33, 12, BS_PUSHBUTTON, BS_TYPEMASK, 0, WS_VISIBLE, 0},
      {111, 1047, 1, Static,
       "Data representable in a floating-point format (Floating Point Data) are:\nFinite Numbers:\n"
       "1) Normal numbers (normalized)\n2) Subnormal numbers (denormalized)\n3) Signed Zero",
       22, 15, 220, 40, SS_LEFT, SS_TYPEMASK, 0, 0, 0},
      {111, 1053, 1, Static, "Static-7", 22, 268, 220, 18, SS_LEFT, SS_TYPEMASK, 0, 0, 0},
      {111, -1, 1, Button, "", 10, 3, 240, 292, BS_GROUPBOX, BS_TYPEMASK, 0, 0, 0},
      {111, 1041, 1, Button, "Save to File", 10, 299, 39, 12, BS_PUSHBUTTON, BS_TYPEMASK, BS_FLAT, 0, 0},
  };
  for (const ItemRow& row : rows) {
    SCOPED_TRACE(testing::Message() << "dialog " << row.dialog << ", control " << row.id << " #"
                                    << row.occurrence);
    const TemplateItem* item = itemWithId(*findDialogTemplate(row.dialog), row.id, row.occurrence);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->controlClass, row.controlClass);
    EXPECT_EQ(item->title, row.title);
    EXPECT_EQ((std::vector<int>{item->x, item->y, item->width, item->height}),
              (std::vector<int>{row.x, row.y, row.width, row.height}));
    EXPECT_EQ(item->style & row.typeMask, row.typeBits);
    EXPECT_EQ(item->style & row.required, row.required);
    EXPECT_EQ(item->style & row.forbidden, 0u);
    EXPECT_EQ(item->exStyle, row.exStyle);
  }
  const TemplateItem* icon = itemWithId(*findDialogTemplate(103), -1);
  EXPECT_TRUE(icon->titleIsResource);
  EXPECT_EQ(icon->resourceNumber, 104);
}

// Only the three group openers and the item right after each group's last
// radio button start a group: the loader closes each group there.
TEST(ProgramTemplates, MainDialogGroupBitsDelimitTheThreeRadioGroups) {
  std::vector<int> starters;
  for (const TemplateItem& item : findDialogTemplate(101)->items)
    if (item.style & WS_GROUP) starters.push_back(item.id);
  EXPECT_EQ(starters, (std::vector<int>{1011, 1014, 1045, 1050, 1018}));
}

// ---- The language ---------------------------------------------------------------

DialogTemplate parseOne(const std::string& script) {
  const RcParseResult parsed = parseResourceScript(script);
  EXPECT_FALSE(parsed.error) << describe(*parsed.error);
  EXPECT_EQ(parsed.dialogs.size(), 1u);
  return parsed.dialogs.empty() ? DialogTemplate{} : parsed.dialogs[0];
}

TEST(ResourceScript, ControlStyleStartsVisibleChildAndNotClearsBits) {
  const DialogTemplate tpl = parseOne(
      "7 DIALOGEX 0, 0, 10, 10\nBEGIN\n"
      "CONTROL \"a\", 1, \"Button\", BS_AUTOCHECKBOX, 0, 0, 1, 1\n"
      "CONTROL \"b\", 2, \"Button\", WS_TABSTOP | NOT WS_VISIBLE | 0x4000, 0, 0, 1, 1\n"
      "CONTROL \"c\", 3, \"Button\", NOT WS_VISIBLE | WS_VISIBLE, 0, 0, 1, 1\n"
      "END\n");
  ASSERT_EQ(tpl.items.size(), 3u);
  EXPECT_EQ(tpl.items[0].style, WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX);
  EXPECT_EQ(tpl.items[1].style, WS_CHILD | WS_TABSTOP | BS_NOTIFY);
  EXPECT_EQ(tpl.items[2].style, WS_CHILD | WS_VISIBLE);
}

TEST(ResourceScript, DialogStyleDefaultsAndFontBit) {
  EXPECT_EQ(parseOne("7 DIALOGEX 0, 0, 10, 10 BEGIN END").style, WS_POPUP | WS_BORDER | WS_SYSMENU);
  EXPECT_EQ(parseOne("7 DIALOGEX 0, 0, 10, 10 STYLE WS_POPUP FONT 9, \"Face\" BEGIN END").style,
            WS_POPUP | DS_SETFONT);
}

TEST(ResourceScript, StringsEscapesTitlesAndClasses) {
  const DialogTemplate tpl = parseOne(
      "/* block\n comment */ 9 dialogex 1, -2, 3, 4, 77 // help id\n"
      "caption \"Say \"\"hi\"\" \\\"now\\\"\\tand\\\\\"\n"
      "{\n"
      "  control \"x\\ny\", 0xFFFF, Static, SS_LEFT, -5, 6, 7, 8, WS_EX_STATICEDGE, 12\n"
      "  control 104, -7, \"msctls_trackbar32\", 0, 0, 0, 1, 1\n"
      "  control \"" +
      std::string(300, 'w') +
      "\", 5, \"listbox\", LBS_NOTIFY, 0, 0, 1, 1\n"
      "}\n");
  EXPECT_EQ(tpl.caption, "Say \"hi\" \"now\"\tand\\");
  EXPECT_EQ((std::vector<int>{tpl.x, tpl.y, tpl.width, tpl.height}), (std::vector<int>{1, -2, 3, 4}));
  ASSERT_EQ(tpl.items.size(), 3u);
  EXPECT_EQ(tpl.items[0].title, "x\ny");
  EXPECT_EQ(tpl.items[0].id, 0xFFFF);
  EXPECT_EQ(tpl.items[0].controlClass, ControlClass::Static);
  EXPECT_EQ(tpl.items[0].x, -5);
  EXPECT_EQ(tpl.items[0].exStyle, WS_EX_STATICEDGE);
  EXPECT_TRUE(tpl.items[1].titleIsResource);
  EXPECT_EQ(tpl.items[1].resourceNumber, 104);
  EXPECT_EQ(tpl.items[1].id, -7);
  EXPECT_EQ(tpl.items[1].controlClass, ControlClass::Named);
  EXPECT_EQ(tpl.items[1].className, "msctls_trackbar32");
  EXPECT_EQ(tpl.items[2].title, std::string(maxTemplateTitle, 'w'));
  EXPECT_EQ(tpl.items[2].controlClass, ControlClass::ListBox);
}

TEST(ResourceScript, PlainDialogKeepsSixteenBitIdsAndExtendedKeepsSigned) {
  const char* body = " 0, 0, 1, 1 BEGIN CONTROL \"\", -1, \"Static\", 0, 0, 0, 1, 1 END";
  EXPECT_EQ(parseOne(std::string("8 DIALOG") + body).items.at(0).id, 65535);
  EXPECT_EQ(parseOne(std::string("8 DIALOGEX") + body).items.at(0).id, -1);
}

TEST(ResourceScript, BytesOutsideAsciiPassThroughInStrings) {
  EXPECT_EQ(parseOne("1 DIALOGEX 0,0,1,1 CAPTION \"caf\xe9 \x85\" BEGIN END").caption, "caf\xe9 \x85");
}

struct ErrorRow {
  const char* script;
  int line;
  const char* reason;  // a part of the reason
};

TEST(ResourceScript, ErrorsNameTheLine) {
  const ErrorRow rows[] = {
      {"1 DIALOGEX 0, 0, 1, 1\nSTYLE WS_POPUP\nBEGIN\nCONTROL \"a\", 1, \"Button\", BS_NOSUCH, 0, 0, 1, "
       "1\nEND",
       4, "unknown style name BS_NOSUCH"},
      {"1 DIALOGEX 0, 0, 1, 1\nBEGIN\nCONTROL \"a\" 1, \"Button\", 0, 0, 0, 1, 1\nEND", 3, "expected ','"},
      {"1 DIALOGEX 0, 0, 1, 1\nCAPTION \"open\nBEGIN END", 2, "unterminated string"},
      {"\n\n/* never closed\n\n", 3, "unterminated comment"},
      {"1 DIALOGEX 0, 0, 1, 1\nBEGIN\nCONTROL \"a\", 4294967296, \"Button\", 0, 0, 0, 1, 1\nEND", 3,
       "number too large"},
      {"1 DIALOGEX 0, 0, 40000, 1 BEGIN END", 1, "width out of range"},
      {"1 DIALOGEX 0,0,1,1 BEGIN END\n\n1 DIALOGEX 0,0,1,1 BEGIN END", 3, "dialog 1 is defined twice"},
      {"1 MENU 0, 0, 1, 1", 1, "expected DIALOGEX or DIALOG"},
      {"1 DIALOGEX 0,0,1,1\nBEGIN\n\x01", 3, "unexpected byte 0x01"},
      {"1 DIALOGEX 0,0,1,1\nBEGIN\nCONTROL \"a\", 1, \"Button\", 0, 0, 0, 1, 1\n", 4,
       "expected CONTROL or END"},
      {"1 DIALOGEX 0,0,1,1 CAPTION \"a\\qb\" BEGIN END", 1, "unknown escape"},
      {"1 DIALOGEX 0,0,1,1 FONT 8 BEGIN END", 1, "expected ','"},
      {"0 DIALOGEX 0,0,1,1 BEGIN END", 1, "dialog id out of range"},
      {"1 DIALOGEX 0,0,1,1 BEGIN CONTROL \"a\", 1, \"Button\", 0, 0, 0, 1, 1, 0x10000000000 END", 1,
       "number too large"},
      {"1 DIALOGEX 0,0,1,1 BEGIN CONTROL \"a\", 1, \"Button\", 0, 0, 0, 1, 12x END", 1, "malformed number"},
  };
  for (const ErrorRow& row : rows) {
    SCOPED_TRACE(row.script);
    const RcParseResult parsed = parseResourceScript(row.script);
    ASSERT_TRUE(parsed.error);
    EXPECT_EQ(parsed.error->line, row.line);
    EXPECT_NE(parsed.error->reason.find(row.reason), std::string::npos) << parsed.error->reason;
    EXPECT_TRUE(parsed.dialogs.empty());
  }
  EXPECT_EQ(describe(RcParseError{12, "expected ','"}), "line 12: expected ','");
}

// Damaged scripts either parse or give one error on a line that exists.
TEST(ResourceScript, DamagedInputNeverMisbehaves) {
  const std::string original(embeddedResourceScript());
  std::mt19937 random(20240601);
  for (int round = 0; round < 1500; ++round) {
    std::string script = original;
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits && !script.empty(); ++e) {
      const std::size_t at = random() % script.size();
      switch (random() % 4) {
        case 0:
          script[at] = static_cast<char>(random() % 256);
          break;
        case 1:
          script.erase(at, 1 + random() % 40);
          break;
        case 2:
          script.insert(at, 1 + random() % 4, static_cast<char>(random() % 256));
          break;
        default:
          script.resize(at);
          break;
      }
    }
    const RcParseResult parsed = parseResourceScript(script);
    const auto lines = static_cast<int>(std::count(script.begin(), script.end(), '\n')) + 1;
    if (parsed.error) {
      EXPECT_GE(parsed.error->line, 1);
      EXPECT_LE(parsed.error->line, lines);
      EXPECT_TRUE(parsed.dialogs.empty());
    } else {
      for (const DialogTemplate& tpl : parsed.dialogs)
        for (const TemplateItem& item : tpl.items) EXPECT_LE(item.title.size(), maxTemplateTitle);
    }
  }
}

}  // namespace
}  // namespace bitscope
