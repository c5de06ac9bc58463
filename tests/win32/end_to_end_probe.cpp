// SPDX-License-Identifier: MIT
// The Windows program as a user meets it, from outside its process: starts
// bitscope.exe, types 0.1 into X, clicks the significand's bit box, reads the
// window's texts and closes the window with its close box. Exits 0 when the
// program showed what it should and ended with status 0.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr int xBox = 1007;
constexpr int signBox = 1026;
constexpr int exponentBox = 1027;
constexpr int significandBox = 1028;

// Polls for a window to come up; a program that never shows one fails the
// run when the test's own time limit ends it.
// The main window is the process's visible dialog with the Exit button.
HWND waitForMainWindow(DWORD processId) {
  struct Search {
    DWORD processId;
    HWND found;
  } search{processId, nullptr};
  for (;;) {
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto* wanted = reinterpret_cast<Search*>(data);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          if (owner != wanted->processId || !IsWindowVisible(window) || GetDlgItem(window, 30001) == nullptr)
            return TRUE;
          wanted->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    Sleep(50);
  }
}

std::wstring textOf(HWND dialog, int id) {
  wchar_t buffer[256] = {};
  SendMessageW(GetDlgItem(dialog, id), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

// Keys and clicks are sent, not posted: each is handled by the program's
// thread, with everything it causes there, before the next is made, so the
// texts read afterwards are the ones the program showed for them.
void click(HWND control) {
  SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

bool expect(const wchar_t* what, const std::wstring& shown, const std::wstring& wanted) {
  std::printf("%ls: \"%ls\"\n", what, shown.c_str());
  if (shown == wanted) return true;
  std::printf("  expected \"%ls\"\n", wanted.c_str());
  return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);  // read live by the test's log
  if (argc != 2) {
    std::printf("usage: end_to_end_probe <bitscope.exe>\n");
    return 2;
  }
  std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::printf("cannot start %ls (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  std::printf("started %ls\n", argv[1]);
  HWND main = waitForMainWindow(process.dwProcessId);
  wchar_t title[64] = {};
  GetWindowTextW(main, title, 64);
  std::printf("window \"%ls\" is up\n", title);

  // Typed into X: the box is focused and its text chosen, then the keys come.
  HWND x = GetDlgItem(main, xBox);
  click(x);
  SendMessageW(x, EM_SETSEL, 0, -1);
  for (const wchar_t c : std::wstring(L"0.1")) SendMessageW(x, WM_CHAR, c, 1);
  // A click into the significand decodes the bits back into X.
  click(GetDlgItem(main, significandBox));

  bool shown = true;
  shown &= expect(L"S", textOf(main, signBox), L"0");
  shown &= expect(L"E", textOf(main, exponentBox), L"01111011");
  shown &= expect(L"T", textOf(main, significandBox), L"10011001100110011001101");
  shown &= expect(L"X", textOf(main, xBox), L"+1.0000000E-01");
  std::printf("data type: \"%ls\"\n", textOf(main, 1036).c_str());
  shown &= !textOf(main, 1036).empty();

  // Closed as a user closes it: the close box.
  PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::printf("bitscope.exe ended with status %lu\n", status);
  return shown && status == 0 ? 0 : 1;
}
