// SPDX-License-Identifier: MIT
// The search path, and opening a document with its associated application
// without ever keeping the window waiting: the shell's lookup and launch run
// on a thread of their own, and the outcome comes back as a message that the
// message loop, whichever is running, hands to the waiting callback.
#include <windows.h>  // before the headers of the system's parts

#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <thread>

#include "bindings/win32/win32_binding.h"

namespace bitscope {
namespace {

constexpr UINT openedMessage = WM_APP + 1;

struct OpenJob {
  std::filesystem::path document;
  std::function<void(OpenResult)> done;
  OpenResult result = OpenResult::Failed;
};

LRESULT CALLBACK outcomeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != openedMessage) return DefWindowProcW(hwnd, message, wParam, lParam);
  const std::unique_ptr<OpenJob> job(reinterpret_cast<OpenJob*>(lParam));
  job->done(job->result);
  return 0;
}

// A message-only window of the program's thread that receives the outcomes.
HWND outcomeWindow() {
  static const HWND window = [] {
    WNDCLASSW type{};
    type.lpfnWndProc = outcomeProc;
    type.hInstance = win32Instance();
    type.lpszClassName = L"BitscopeDocumentOutcome";
    RegisterClassW(&type);
    return CreateWindowExW(0, type.lpszClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           win32Instance(), nullptr);
  }();
  return window;
}

OpenResult openWithShell(const std::filesystem::path& document) {
  // The shell's documented set-up for a thread that runs ShellExecuteEx.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  // The program reports failures itself, in its own words and language.
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = document.c_str();
  info.nShow = SW_SHOWNORMAL;
  const bool opened = ShellExecuteExW(&info) != FALSE;
  const DWORD error = opened ? ERROR_SUCCESS : GetLastError();
  if (SUCCEEDED(com)) CoUninitialize();
  if (opened) return OpenResult::Opened;
  // The shell tells a missing association by its error or by its older code.
  const bool noApplication =
      error == ERROR_NO_ASSOCIATION || reinterpret_cast<INT_PTR>(info.hInstApp) == SE_ERR_NOASSOC;
  return noApplication ? OpenResult::NoAssociation : OpenResult::Failed;
}

std::filesystem::path programFolder() {
  std::wstring file(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, file.data(), static_cast<DWORD>(file.size()));
    if (length == 0) return {};
    if (length < file.size()) {
      file.resize(length);
      return std::filesystem::path(file).parent_path();
    }
    file.resize(file.size() * 2);
  }
}

std::vector<std::filesystem::path> pathFolders() {
  std::vector<std::filesystem::path> folders;
  const DWORD length = GetEnvironmentVariableW(L"PATH", nullptr, 0);
  if (length == 0) return folders;
  std::wstring value(length, L'\0');
  value.resize(GetEnvironmentVariableW(L"PATH", value.data(), length));
  std::size_t start = 0;
  while (start <= value.size()) {
    const std::size_t end = std::min(value.find(L';', start), value.size());
    if (end > start) folders.emplace_back(value.substr(start, end - start));
    start = end + 1;
  }
  return folders;
}

bool isFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::filesystem::path lowSearchPath(const std::string& name) {
  if (name.empty()) return {};
  const std::filesystem::path wanted(toWide(name));
  if (wanted.is_absolute()) return isFile(wanted) ? wanted : std::filesystem::path();
  // The program's folder is also its data folder: the documents travel beside it.
  std::vector<std::filesystem::path> folders{programFolder(), lowCurrentDirectory()};
  for (std::filesystem::path& folder : pathFolders()) folders.push_back(std::move(folder));
  for (const std::filesystem::path& folder : folders) {
    if (folder.empty()) continue;
    const std::filesystem::path candidate = folder / wanted;
    std::error_code error;
    if (isFile(candidate)) return std::filesystem::absolute(candidate, error);
  }
  return {};
}

void lowOpenDocument(const std::filesystem::path& path, std::function<void(OpenResult)> done) {
  if (!isFile(path)) {
    done(OpenResult::Failed);
    return;
  }
  HWND receiver = outcomeWindow();
  std::error_code error;
  auto job = std::make_unique<OpenJob>(OpenJob{std::filesystem::absolute(path, error), std::move(done)});
  std::thread([receiver, job = job.release()] {
    job->result = openWithShell(job->document);
    if (!PostMessageW(receiver, openedMessage, 0, reinterpret_cast<LPARAM>(job))) delete job;
  }).detach();
}

}  // namespace bitscope
