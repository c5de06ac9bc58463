// SPDX-License-Identifier: MIT
// The process entry of the Windows program: common controls and COM first,
// then the program's own entry routine.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <string_view>

#include "mainwin/program.h"

namespace {

constexpr std::string_view usage =
    "Usage: bitscope [--version] [--help]\r\n"
    "Shows how a decimal number is stored in the IEEE 754 formats Binary32, Binary64 and\r\n"
    "Binary128.\r\n";

// A window program has no console of its own. An answer goes where a
// command-line user looks for it: to a redirected output, else to the console
// the program was started from, else (started from the desktop) into a box.
void answer(std::string_view text) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if ((out == nullptr || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS))
    out = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                      0, nullptr);
  DWORD written = 0;
  if (out != nullptr && out != INVALID_HANDLE_VALUE &&
      WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
    return;
  const std::wstring wide(text.begin(), text.end());  // the texts are ASCII
  MessageBoxW(nullptr, wide.c_str(), L"Bitscope", MB_OK | MB_ICONINFORMATION);
}

// --version and --help are answered before any window is made; true when one was.
bool answeredFromTheCommandLine() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return false;
  bool answered = false;
  for (int i = 1; i < count && !answered; ++i) {
    const std::wstring_view argument = arguments[i];
    if (argument == L"--version") {
      answer("bitscope " BITSCOPE_VERSION "\r\n");
      answered = true;
    } else if (argument == L"--help" || argument == L"-h" || argument == L"/?") {
      answer(usage);
      answered = true;
    }
  }
  LocalFree(arguments);
  return answered;
}

int showCommand() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWNORMAL;
}

}  // namespace

int main() {
  if (answeredFromTheCommandLine()) return 0;
  // The file chooser and the accessibility objects are COM objects of this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  const int exitCode = bitscope::programMain(showCommand());
  if (SUCCEEDED(com)) CoUninitialize();
  return exitCode;
}
