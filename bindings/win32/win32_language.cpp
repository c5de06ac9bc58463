// SPDX-License-Identifier: MIT
// The binding's own texts in the program's language: the chooser's questions,
// their Yes and No buttons and the edit box's context menu where the binding
// makes it. The rest of the system's windows (the chooser itself, the buttons of
// plain message boxes) speak the language of the system, as every program's do.
#include <array>

#include "bindings/win32/win32_binding.h"

namespace bitscope {
namespace {

struct Texts {
  const wchar_t* english;
  const wchar_t* romanian;
};

// In BindingText's order.
constexpr std::array<Texts, 10> table = {{
    {L"&Yes", L"&Da"},
    {L"&No", L"&Nu"},
    {L"%1\nThis file does not exist.\nCreate the file?", L"%1\nAcest fișier nu există.\nÎl creați?"},
    {L"%1 already exists.\nDo you want to replace it?", L"%1 există deja.\nÎl înlocuiți?"},
    {L"&Undo", L"&Anulează"},
    {L"Cu&t", L"&Decupează"},
    {L"&Copy", L"&Copiază"},
    {L"&Paste", L"&Lipește"},
    {L"Delete", L"Șterge"},
    {L"Select All", L"Selectează tot"},
}};

bool romanian = true;  // the program starts in Romanian

// Relabels the Yes and No buttons of the next message box of this thread.
HHOOK relabelHook = nullptr;

LRESULT CALLBACK relabelButtons(int code, WPARAM wParam, LPARAM lParam) {
  const HHOOK self = relabelHook;
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wParam);
    SetDlgItemTextW(box, IDYES, bindingText(BindingText::Yes).c_str());
    SetDlgItemTextW(box, IDNO, bindingText(BindingText::No).c_str());
    UnhookWindowsHookEx(self);
    relabelHook = nullptr;
  }
  // Other hooks of the thread (an assistive technology's) still see the box.
  return CallNextHookEx(self, code, wParam, lParam);
}

}  // namespace

std::wstring bindingText(BindingText which) {
  const Texts& texts = table[static_cast<std::size_t>(which)];
  return romanian ? texts.romanian : texts.english;
}

bool win32AskYesNo(HWND owner, const std::wstring& text, const std::wstring& caption) {
  relabelHook = SetWindowsHookExW(WH_CBT, relabelButtons, nullptr, GetCurrentThreadId());
  const int answer = MessageBoxW(owner, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION);
  if (relabelHook != nullptr) {  // the box never came
    UnhookWindowsHookEx(relabelHook);
    relabelHook = nullptr;
  }
  return answer == IDYES;
}

void lowSetLanguage(std::string_view code) { romanian = code == "ro"; }

}  // namespace bitscope
