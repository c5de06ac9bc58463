// SPDX-License-Identifier: MIT
// What the binding adds to the native controls and the system's services:
// accessible names, tooltips, message boxes and questions in the program's
// language, the file chooser, the search path.
#include <windows.h>  // before the headers of the system's parts

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tests/win32/main_window_fixture.h"

namespace bitscope::test {
namespace {

struct Accessible {
  std::wstring name;
  std::wstring description;
};

Accessible heard(HWND control) {
  Accessible heard;
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(&object))))
    return heard;
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR text = nullptr;
  if (object->get_accName(self, &text) == S_OK && text != nullptr) heard.name = text;
  SysFreeString(text);
  text = nullptr;
  if (object->get_accDescription(self, &text) == S_OK && text != nullptr) heard.description = text;
  SysFreeString(text);
  object->Release();
  return heard;
}

void pressSave(HWND chooser) {
  PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
}

// Answers the message boxes of this thread as they come: each is read and
// closed with the next of the given buttons.
class BoxAnswers {
 public:
  explicit BoxAnswers(std::vector<int> buttons) : buttons_(std::move(buttons)) {
    current_ = this;
    // The windows there already are no boxes; one may be activated again when a box closes.
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM known) -> BOOL {
          reinterpret_cast<std::vector<HWND>*>(known)->push_back(window);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&handled_));
    hook_ = SetWindowsHookExW(WH_CBT, onActivate, nullptr, GetCurrentThreadId());
  }
  ~BoxAnswers() {
    UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  struct Seen {
    std::wstring caption, text, yes, no;
  };
  std::vector<Seen> seen;
  // Called with each window that comes up other than a box: the chooser.
  std::function<void(HWND)> other;
  // After a No, Save is pressed again in the window the box belongs to.
  bool saveAgainAfterNo = false;

 private:
  // A window is read once it is up: the next turn of its loop after activation.
  static LRESULT CALLBACK onActivate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && current_ != nullptr) {
      current_->pending_ = reinterpret_cast<HWND>(wParam);
      SetTimer(nullptr, 0, 1, onTimer);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static void CALLBACK onTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (current_ == nullptr || current_->pending_ == nullptr) return;
    const HWND window = current_->pending_;
    current_->pending_ = nullptr;
    wchar_t type[16] = {};
    GetClassNameW(window, type, 16);
    if (IsWindowVisible(window) && lstrcmpW(type, L"#32770") == 0) current_->handle(window);
  }
  // A box's text is its longest static text; the chooser has a name box.
  static BOOL CALLBACK longestStatic(HWND child, LPARAM found) {
    wchar_t type[16] = {};
    GetClassNameW(child, type, 16);
    auto* longest = reinterpret_cast<std::wstring*>(found);
    if (lstrcmpiW(type, L"Static") == 0 && windowText(child).size() > longest->size())
      *longest = windowText(child);
    return TRUE;
  }
  void handle(HWND window) {
    // A window may be activated more than once while it comes up.
    if (std::find(handled_.begin(), handled_.end(), window) != handled_.end()) return;
    handled_.push_back(window);
    if (GetDlgItem(window, 0x47C) != nullptr || GetDlgItem(window, 0x480) != nullptr) {
      if (other) other(window);
      return;
    }
    std::wstring text;
    EnumChildWindows(window, longestStatic, reinterpret_cast<LPARAM>(&text));
    seen.push_back({windowText(window), text, windowText(GetDlgItem(window, IDYES)),
                    windowText(GetDlgItem(window, IDNO))});
    const int button = next_ < buttons_.size() ? buttons_[next_++] : IDOK;
    PostMessageW(window, WM_COMMAND, button, 0);
    if (button == IDNO && saveAgainAfterNo) pressSave(GetWindow(window, GW_OWNER));
  }
  static inline BoxAnswers* current_ = nullptr;
  HHOOK hook_;
  std::vector<int> buttons_;
  std::size_t next_ = 0;
  std::vector<HWND> handled_;
  HWND pending_ = nullptr;
};

}  // namespace

TEST_F(MainWindowTest, AssistiveTechnologiesHearTheProgramsNamesAndTheCaret) {
  EXPECT_EQ(heard(control(1029)).name, L"0's") << "a caption is its own name";
  AccessibleText bits;
  bits.name = "Binary32 exponent field E, 8 bits";
  bits.description = "Stored biased.";
  bits.caretNote = "Caret at bit %1.";
  bits.endNote = "Caret after bit %1.";
  lowSetAccessibleText(window, 1027, bits);
  lowSetText(window, 1027, "01111011");
  lowSetCaret(window, 1027, 2);
  Accessible box = heard(control(1027));
  EXPECT_EQ(box.name, L"Binary32 exponent field E, 8 bits");
  EXPECT_EQ(box.description, L"Stored biased. Caret at bit 3.");
  lowSetCaret(window, 1027, 8);
  EXPECT_EQ(heard(control(1027)).description, L"Stored biased. Caret after bit 8.");
  // The language switch renames at once.
  bits.name = "Binary32 c\xe2mp exponent E, 8 biti";
  lowSetAccessibleText(window, 1027, bits);
  EXPECT_EQ(heard(control(1027)).name, L"Binary32 c\u00e2mp exponent E, 8 biti");
}

TEST_F(MainWindowTest, ATooltipIsMadeWhenAboutToShowForTheCharacterUnderTheMouse) {
  std::vector<int> askedFor;
  ToolTipSource source;
  source.text = [&askedFor](int character) {
    askedFor.push_back(character);
    return "bit " + std::to_string(character + 1) + "\nweight 2^-3";
  };
  lowSetText(window, 1028, "10011001100110011001101");
  lowSetToolTip(window, 1028, source);
  EXPECT_TRUE(askedFor.empty()) << "nothing is made before the tooltip shows";
  HWND tips = window->toolTips;
  ASSERT_NE(tips, nullptr);
  // The mouse over the third character.
  const LRESULT at = SendMessageW(control(1028), EM_POSFROMCHAR, 2, 0);
  POINT mouse{static_cast<short>(LOWORD(at)) + 2, static_cast<short>(HIWORD(at)) + 4};
  ClientToScreen(control(1028), &mouse);
  SetCursorPos(mouse.x, mouse.y);
  NMTTDISPINFOW info{};
  info.hdr.hwndFrom = tips;
  info.hdr.idFrom = reinterpret_cast<UINT_PTR>(control(1028));
  info.hdr.code = TTN_GETDISPINFOW;
  SendMessageW(hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  ASSERT_NE(info.lpszText, nullptr);
  EXPECT_EQ(std::wstring(info.lpszText), L"bit 3\r\nweight 2^-3");
  EXPECT_EQ(askedFor, std::vector<int>{2});
}

TEST(MessageBoxes, ShowTheTextAndCaptionAndCloseWithOk) {
  BoxAnswers answers({IDOK});
  lowMessageBox("Value & text", "Bitscope", MessageIcon::Warning);
  ASSERT_EQ(answers.seen.size(), 1u);
  EXPECT_EQ(answers.seen[0].caption, L"Bitscope");
  EXPECT_EQ(answers.seen[0].text, L"Value & text");
}

TEST(MessageBoxes, QuestionButtonsSpeakTheProgramsLanguage) {
  BoxAnswers answers({IDYES, IDNO});
  lowSetLanguage("ro");
  EXPECT_TRUE(win32AskYesNo(nullptr, L"?", L"Q"));
  lowSetLanguage("en");
  EXPECT_FALSE(win32AskYesNo(nullptr, L"?", L"Q"));
  ASSERT_EQ(answers.seen.size(), 2u);
  EXPECT_EQ(answers.seen[0].yes, L"&Da");
  EXPECT_EQ(answers.seen[0].no, L"&Nu");
  EXPECT_EQ(answers.seen[1].yes, L"&Yes");
  EXPECT_EQ(answers.seen[1].no, L"&No");
}

class FolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() / L"bitscope-\u0219tiin\u021be";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  std::filesystem::path folder;
};

TEST_F(FolderTest, TheChooserAsksBeforeCreatingAndNoKeepsItOpen) {
  lowSetLanguage("en");
  BoxAnswers answers({IDNO, IDYES});
  answers.saveAgainAfterNo = true;
  bool named = false;
  answers.other = [&named](HWND chooser) {
    if (named) return;
    named = true;
    // Typed into the name box, then Save.
    for (const int nameBox : {0x47C, 0x480}) SetDlgItemTextW(chooser, nameBox, L"r\u00e9sum\u00e9");
    pressSave(chooser);
  };
  FileChooserRequest request;
  request.title = "Save the summary";
  request.filters = {{"Text files (*.txt)", "*.txt"}, {"All files", "*.*"}};
  request.defaultExtension = "txt";
  request.initialDirectory = folder;
  std::filesystem::path chosen;
  ASSERT_TRUE(lowChooseFile(request, chosen));
  EXPECT_EQ(chosen, folder / L"r\u00e9sum\u00e9.txt");
  ASSERT_EQ(answers.seen.size(), 2u);
  EXPECT_EQ(answers.seen[0].caption, L"Save the summary");
  EXPECT_EQ(answers.seen[0].text,
            (folder / L"r\u00e9sum\u00e9.txt").wstring() + L"\nThis file does not exist.\nCreate the file?");
  EXPECT_FALSE(std::filesystem::exists(chosen)) << "the chooser writes nothing";
}

TEST_F(FolderTest, TheSearchPathLooksInTheCurrentFolderAndOpeningAMissingFileFails) {
  std::ofstream(folder / L"VAZ&I-en.pdf") << "%PDF";
  const std::filesystem::path before = lowCurrentDirectory();
  SetCurrentDirectoryW(folder.c_str());
  EXPECT_EQ(lowSearchPath("VAZ&I-en.pdf"), folder / L"VAZ&I-en.pdf");
  EXPECT_TRUE(lowSearchPath("VAZ&I-ro.pdf").empty());
  SetCurrentDirectoryW(before.c_str());
  OpenResult result = OpenResult::Opened;
  bool told = false;
  lowOpenDocument(folder / L"missing.pdf", [&](OpenResult r) {
    result = r;
    told = true;
  });
  EXPECT_TRUE(told) << "a missing file is known at once";
  EXPECT_EQ(result, OpenResult::Failed);
}

}  // namespace bitscope::test

namespace bitscope::test {

TEST_F(FolderTest, ADocumentWithoutAnApplicationIsToldThroughTheMessageLoop) {
  const std::filesystem::path document = folder / L"guide.bitscope-none";
  std::ofstream(document) << "text";
  bool told = false;
  OpenResult result = OpenResult::Opened;
  lowOpenDocument(document, [&](OpenResult r) {
    result = r;
    told = true;
  });
  // The outcome comes as a message; the loop runs until it has come (the
  // test's time limit ends a run where it never does).
  LowMessage message;
  while (!told && lowGetMessage(message)) lowDispatchMessage(message);
  EXPECT_EQ(result, OpenResult::NoAssociation);
}

}  // namespace bitscope::test
