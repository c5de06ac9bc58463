// SPDX-License-Identifier: MIT
// The windows as the dialog manager makes them from the templates, and the
// notices they send: what the dialog layer relies on.
#include <cstring>
#include <string>
#include <vector>

#include "tests/win32/main_window_fixture.h"

namespace bitscope::test {

namespace {

std::wstring textOf(HWND hwnd) {
  wchar_t buffer[512] = {};
  GetWindowTextW(hwnd, buffer, 512);
  return buffer;
}

RECT clientRect(HWND dialog, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool putOnClipboard(HWND owner, const std::wstring& text) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory != nullptr) {
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
  }
  CloseClipboard();
  return memory != nullptr;
}

}  // namespace

TEST_F(MainWindowTest, EveryTemplateItemIsAControlAtItsPlaceInDialogUnitsWithItsText) {
  HWND dialog = hwnd();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(kindCount(LowEvent::Kind::Init), 1);
  EXPECT_EQ(lowGetUserData(window), &userTag);
  HWND child = GetWindow(dialog, GW_CHILD);
  for (const TemplateItem& item : tpl->items) {
    ASSERT_NE(child, nullptr) << "item " << item.id;
    // Position and size are converted each on its own, as the dialog manager does.
    RECT expected{item.x, item.y, item.width, item.height};
    MapDialogRect(dialog, &expected);
    const RECT actual = clientRect(dialog, child);
    EXPECT_EQ(actual.left, expected.left) << "item " << item.id;
    EXPECT_EQ(actual.top, expected.top) << "item " << item.id;
    EXPECT_EQ(actual.right - actual.left, expected.right) << "item " << item.id;
    EXPECT_EQ(actual.bottom - actual.top, expected.bottom) << "item " << item.id;
    if (!item.titleIsResource) {
      EXPECT_EQ(textOf(child), toWide(item.title)) << "item " << item.id;
    }
    EXPECT_EQ(IsWindowVisible(child) != FALSE, (item.style & WS_VISIBLE) != 0) << "item " << item.id;
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr);
}

TEST_F(MainWindowTest, TextsCrossInWindows1252BothWays) {
  lowSetText(window, 1056,
             "Bi\xfe"
             "i \x80 \"\x93\x94\"");  // "Biţi € “”"
  EXPECT_EQ(textOf(control(1056)), L"Bi\u00fei \u20ac \"\u201c\u201d\"");
  EXPECT_EQ(lowGetText(window, 1056),
            "Bi\xfe"
            "i \x80 \"\x93\x94\"");
  // A character Windows-1252 lacks, pasted by a user, reaches the program as "?".
  SetWindowTextW(control(1007), L"1\u0103\U0001F600");
  EXPECT_EQ(lowGetText(window, 1007), "1??");
}

TEST_F(MainWindowTest, ProgramWritesAndUserEditsBothNotifyOncePerChange) {
  resetNotices();
  lowSetText(window, 1007, "0.1");
  EXPECT_EQ(commandCount(1007, LowNotify::EditUpdate), 1);
  EXPECT_EQ(commandCount(1007, LowNotify::EditChange), 1);
  lowSetText(window, 1007, "0.1");  // the same text notifies too
  EXPECT_EQ(commandCount(1007, LowNotify::EditChange), 2);

  focus(1007);
  EXPECT_EQ(commandCount(1007, LowNotify::FocusIn), 1);
  resetNotices();
  lowSetCaret(window, 1007, 3);
  pressKey(window, '5');
  EXPECT_EQ(lowGetText(window, 1007), "0.15");
  EXPECT_EQ(commandCount(1007, LowNotify::EditChange), 1);
  EXPECT_EQ(lowGetSelectionEnd(window, 1007), 4);
  focus(30001);
  EXPECT_EQ(commandCount(1007, LowNotify::FocusOut), 1);
}

TEST_F(MainWindowTest, ATextLimitCutsTheTextAndRefusesFurtherKeys) {
  lowSetText(window, 1015, "123456789");
  resetNotices();
  lowSetTextLimit(window, 1015, 8);
  EXPECT_EQ(lowGetText(window, 1015), "12345678");
  EXPECT_EQ(commandCount(1015, LowNotify::EditChange), 1);
  lowSetText(window, 1015, "abcdefghij");
  EXPECT_EQ(lowGetText(window, 1015), "abcdefgh");
  lowSetText(window, 1015, "0000000");
  focus(1015);
  lowSetCaret(window, 1015, 7);
  resetNotices();
  pressKey(window, '1');
  pressKey(window, '1');
  EXPECT_EQ(lowGetText(window, 1015), "00000001");
  EXPECT_EQ(commandCount(1015, LowNotify::EditChange), 1);
  // The exponent box takes digits only from the keyboard.
  pressKey(window, VK_BACK);
  pressKey(window, 'A');
  EXPECT_EQ(lowGetText(window, 1015), "0000000");
}

TEST_F(MainWindowTest, APasteIsCutToTheTextLimitAndALimitOfNoneTakesNothing) {
  ASSERT_TRUE(putOnClipboard(hwnd(), L"10110"));
  focus(1015);
  lowSetTextLimit(window, 1015, 3);
  lowSetText(window, 1015, "");
  SendMessageW(control(1015), WM_PASTE, 0, 0);
  EXPECT_EQ(lowGetText(window, 1015), "101");

  lowSetTextLimit(window, 1015, 0);
  EXPECT_EQ(lowGetText(window, 1015), "");
  resetNotices();
  SendMessageW(control(1015), WM_PASTE, 0, 0);
  SendMessageW(control(1015), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"1"));
  pressKey(window, '1');
  EXPECT_EQ(lowGetText(window, 1015), "");
  EXPECT_EQ(commandCount(1015, LowNotify::EditChange), 0);
}

TEST_F(MainWindowTest, RadioGroupsAreExclusiveMovedByArrowsAndOneTabStop) {
  lowSetCheck(window, 1011, true);
  lowSetCheck(window, 1012, true);
  EXPECT_FALSE(lowGetCheck(window, 1011));
  EXPECT_TRUE(lowGetCheck(window, 1012));
  EXPECT_FALSE(lowGetCheck(window, 1050)) << "another group keeps its marks";
  resetNotices();
  focus(1012);
  pressKey(window, VK_DOWN);
  EXPECT_TRUE(lowGetCheck(window, 1013));
  EXPECT_FALSE(lowGetCheck(window, 1012));
  EXPECT_EQ(commandCount(1013, LowNotify::Clicked), 1);
  pressKey(window, VK_DOWN);  // round the group's end
  EXPECT_TRUE(lowGetCheck(window, 1011));
  // Tab enters the group at its checked radio and leaves it at once.
  focus(1007);
  pressKey(window, VK_TAB);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), 1011);
  pressKey(window, VK_TAB);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), 1014);
  pressKey(window, VK_TAB);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), 1015);
}

TEST_F(MainWindowTest, TabPassesOverDisabledAndHiddenControls) {
  lowEnable(window, 1043, false);
  EXPECT_FALSE(lowIsEnabled(window, 1043));
  focus(1020);
  pressKey(window, VK_TAB);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), 1044) << "Binary X+ - is disabled";
  focus(30001);
  pressKey(window, VK_TAB);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), 1007) << "the hidden CANCEL button is passed over";
  // Disabled under the focus: the focus moves on.
  lowEnable(window, 1043, true);
  focus(1043);
  lowEnable(window, 1043, false);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), 1044);
}

TEST_F(MainWindowTest, EscAndTheCloseBoxAreTheCancelCommandUnlessClosingIsOff) {
  focus(1007);
  resetNotices();
  pressKey(window, VK_ESCAPE);
  EXPECT_EQ(commandCount(IDCANCEL, LowNotify::Clicked), 1);
  SendMessageW(hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(commandCount(IDCANCEL, LowNotify::Clicked), 2);
  lowEnableCloseItem(window, false);
  SendMessageW(hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(commandCount(IDCANCEL, LowNotify::Clicked), 2);
  EXPECT_TRUE(IsWindow(hwnd())) << "only the layer destroys a window";
}

TEST_F(MainWindowTest, MinimisingAndRestoringAreSizeNoticesOnce) {
  resetNotices();
  ShowWindow(hwnd(), SW_MINIMIZE);
  pump(window);
  ShowWindow(hwnd(), SW_RESTORE);
  pump(window);
  std::vector<LowSizeKind> sizes;
  for (const Notice& n : notices())
    if (n.event.kind == LowEvent::Kind::Size) sizes.push_back(n.event.size);
  EXPECT_EQ(sizes, (std::vector<LowSizeKind>{LowSizeKind::Minimised, LowSizeKind::Restored}));
}

TEST_F(MainWindowTest, EnterPressesTheFocusedPushButtonOnly) {
  focus(1029);
  resetNotices();
  pressKey(window, VK_RETURN);
  EXPECT_EQ(commandCount(1029, LowNotify::Clicked), 1);
  focus(1007);
  resetNotices();
  pressKey(window, VK_RETURN);
  for (const Notice& n : notices()) {
    EXPECT_FALSE(n.event.kind == LowEvent::Kind::Command && n.event.fromControl)
        << "the main window has no default button: control " << n.event.controlId;
  }
}

TEST_F(MainWindowTest, TheListBoxHoldsItemsAndOneSelection) {
  lowListReset(window, 1044);
  lowListAdd(window, 1044, "Exponent");
  lowListAdd(window, 1044, "ULP(X)");
  EXPECT_EQ(lowListCount(window, 1044), 2);
  EXPECT_EQ(lowListText(window, 1044, 1), "ULP(X)");
  EXPECT_FALSE(lowListIsMultiple(window, 1044));
  resetNotices();
  lowListSelect(window, 1044, 1);
  EXPECT_TRUE(lowListIsSelected(window, 1044, 1));
  lowListSelect(window, 1044, 5);  // out of range: no selection
  EXPECT_FALSE(lowListIsSelected(window, 1044, 1));
  EXPECT_EQ(commandCount(1044, LowNotify::ListSelChange), 0) << "the program's selections are not the user's";
  lowListSelect(window, 1044, 0);
  focus(1044);
  pressKey(window, VK_DOWN);
  EXPECT_TRUE(lowListIsSelected(window, 1044, 1));
  EXPECT_EQ(commandCount(1044, LowNotify::ListSelChange), 1);
}

TEST(WindowLife, DestroyComesOnceAndOwnedWindowsGoFirst) {
  resetNotices();
  const DialogTemplate* main = findDialogTemplate(101);
  const DialogTemplate* summary = findDialogTemplate(111);
  LowWindow* owner = lowCreateModeless(*main, nullptr, SW_SHOWNORMAL, nullptr);
  LowWindow* owned = lowCreateModeless(*summary, owner, SW_SHOWNORMAL, nullptr);
  ASSERT_NE(owned, nullptr);
  lowDestroyWindow(owner);
  std::vector<LowWindow*> destroyed;
  for (const Notice& n : notices())
    if (n.event.kind == LowEvent::Kind::Destroy) destroyed.push_back(n.window);
  EXPECT_EQ(destroyed, (std::vector<LowWindow*>{owned, owner}));
  resetNotices();
}

TEST(WindowLife, AModalRunEndsWithTheValueGivenToEndModal) {
  resetNotices();
  // The About box answers Esc as the layer would: its loop ends with 7.
  reactWith([](LowWindow* window, const LowEvent& event) {
    if (event.kind == LowEvent::Kind::Init) PostMessageW(window->hwnd, WM_KEYDOWN, VK_ESCAPE, 1);
    if (event.kind == LowEvent::Kind::Command && event.controlId == IDCANCEL) lowEndModal(window, 7);
  });
  EXPECT_EQ(lowRunModal(*findDialogTemplate(103), nullptr, nullptr), 7);
  EXPECT_EQ(kindCount(LowEvent::Kind::Init), 1);
  EXPECT_EQ(kindCount(LowEvent::Kind::Destroy), 1);
  // Ended while starting: never shown, still one Destroy.
  resetNotices();
  reactWith([](LowWindow* window, const LowEvent& event) {
    if (event.kind == LowEvent::Kind::Init) lowDestroyWindow(window);
  });
  EXPECT_EQ(lowRunModal(*findDialogTemplate(103), nullptr, nullptr), 0);
  EXPECT_EQ(kindCount(LowEvent::Kind::Destroy), 1);
  resetNotices();
}

TEST(WindowLife, EnterInAModalWindowPressesItsDefaultButton) {
  resetNotices();
  // The summary's OK is its default button, wherever the focus is but on
  // another push button.
  reactWith([](LowWindow* window, const LowEvent& event) {
    if (event.kind == LowEvent::Kind::Init) PostMessageW(window->hwnd, WM_KEYDOWN, VK_RETURN, 1);
    if (event.kind == LowEvent::Kind::Command && event.controlId == IDOK) lowEndModal(window, IDOK);
  });
  EXPECT_EQ(lowRunModal(*findDialogTemplate(111), nullptr, nullptr), IDOK);
  EXPECT_EQ(commandCount(IDOK, LowNotify::Clicked), 1);
  resetNotices();
}

TEST(MessageLoop, RunsUntilTheQuitMessageAndHandsOverItsCode) {
  lowPostQuitMessage(42);
  LowMessage message;
  EXPECT_FALSE(lowGetMessage(message));
  EXPECT_EQ(message.quitCode, 42);
}

}  // namespace bitscope::test

namespace bitscope::test {
namespace {

bool dialogFontScales(HWND dialog) {
  LOGFONTW description{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof description,
             &description);
  HDC dc = GetDC(dialog);
  const auto heightAt = [dc, &description](LONG height) {
    LOGFONTW sized = description;
    sized.lfHeight = height;
    sized.lfWidth = 0;
    HFONT font = CreateFontIndirectW(&sized);
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    DeleteObject(font);
    return metrics.tmHeight;
  };
  const bool scales = heightAt(-12) != heightAt(-8);
  ReleaseDC(dialog, dc);
  return scales;
}

}  // namespace

// Each label's text, measured in the font it is shown in, within its rectangle.
TEST_F(MainWindowTest, ALabelTooLongForItsRectangleShowsWholeInASmallerFont) {
  ASSERT_TRUE(dialogFontScales(hwnd())) << "the dialog's font has no smaller size";
  lowSetText(window, 1059, "Pozitie (Modificare /Actualizare)");
  lowSetText(window, 1060, "Latime camp");
  for (const int id : {1059, 1060}) {
    HWND label = control(id);
    RECT room{};
    GetClientRect(label, &room);
    HDC dc = GetDC(label);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    const std::wstring text = toWide(lowGetText(window, id));
    RECT needed{0, 0, room.right, 0};
    DrawTextW(dc, text.c_str(), -1, &needed, DT_WORDBREAK | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    EXPECT_LE(needed.bottom, room.bottom) << "label " << id;
    EXPECT_LE(needed.right, room.right) << "label " << id;
  }
  EXPECT_EQ(SendMessageW(control(1060), WM_GETFONT, 0, 0), SendMessageW(hwnd(), WM_GETFONT, 0, 0))
      << "a text that fits keeps the dialog's font";
}

// The significand's box was sized for the bitmap face's narrower digits.
TEST_F(MainWindowTest, AProgramsWriteTooLongForItsEditBoxShowsWholeInASmallerFont) {
  const auto fits = [this](int id) {
    HWND box = control(id);
    RECT room{};
    SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    const std::wstring text = textOf(box);
    HDC dc = GetDC(box);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
    SIZE needed{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &needed);
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    return needed.cx < room.right - room.left;
  };
  lowSetText(window, 1028, "10011001100110011001101");
  EXPECT_TRUE(fits(1028));
  lowSetText(window, 1028, "1");
  EXPECT_EQ(SendMessageW(control(1028), WM_GETFONT, 0, 0), SendMessageW(hwnd(), WM_GETFONT, 0, 0))
      << "a text that fits is shown in the dialog's font again";
}

// The template's "MS Sans Serif" is a bitmap face on Windows and under Wine.
TEST_F(MainWindowTest, ABitmapOrMissingTemplateFaceGivesWayToAScalableOne) {
  const std::wstring chosen = dialogFontFace("MS Sans Serif");
  EXPECT_NE(chosen, L"MS Sans Serif");
  LOGFONTW shown{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0)), sizeof shown, &shown);
  EXPECT_EQ(std::wstring(shown.lfFaceName), chosen);
  EXPECT_EQ(dialogFontFace("Tahoma"), L"Tahoma") << "an installed scalable face is kept";
  EXPECT_EQ(dialogFontFace("No Such Face"), L"No Such Face") << "left to the font mapper";
}

}  // namespace bitscope::test
