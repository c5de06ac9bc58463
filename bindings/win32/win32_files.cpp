// SPDX-License-Identifier: MIT
// The file chooser and the current folder. The chooser is the system's; its
// hook asks the questions the request promises, in the program's language,
// before a name is accepted, and a No keeps the chooser open.
#include <windows.h>  // before the headers of the system's parts

#include <commdlg.h>

#include <algorithm>

#include "bindings/win32/win32_binding.h"

namespace bitscope {
namespace {

// Long paths are allowed for: the chooser fills this much at most.
constexpr DWORD pathRoom = 32768;

struct ChooserState {
  const FileChooserRequest* request;
};

std::wstring replaced(std::wstring text, const std::wstring& value) {
  const std::size_t at = text.find(L"%1");
  if (at != std::wstring::npos) text.replace(at, 2, value);
  return text;
}

std::wstring filterList(const FileChooserRequest& request) {
  std::wstring list;
  for (const auto& [description, pattern] : request.filters) {
    list += toWide(description);
    list.push_back(L'\0');
    list += toWide(pattern);
    list.push_back(L'\0');
  }
  list.push_back(L'\0');
  return list;
}

// Whether the chosen name may be taken: the questions asked, answered Yes.
bool accepted(HWND chooser, const FileChooserRequest& request, const std::filesystem::path& chosen) {
  const std::wstring title = windowText(chooser);
  const DWORD attributes = GetFileAttributesW(chosen.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (!exists && request.promptCreate)
    return win32AskYesNo(chooser, replaced(bindingText(BindingText::CreateFile), chosen.wstring()), title);
  if (exists && request.promptOverwrite)
    return win32AskYesNo(chooser,
                         replaced(bindingText(BindingText::ReplaceFile), chosen.filename().wstring()), title);
  return true;
}

UINT_PTR CALLBACK chooserHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hook, GWLP_USERDATA, reinterpret_cast<const OPENFILENAMEW*>(lParam)->lCustData);
    return 0;
  }
  if (message != WM_NOTIFY) return 0;
  const auto* notice = reinterpret_cast<const OFNOTIFYW*>(lParam);
  if (notice->hdr.code != CDN_FILEOK) return 0;
  const auto* state = reinterpret_cast<const ChooserState*>(GetWindowLongPtrW(hook, GWLP_USERDATA));
  if (state == nullptr) return 0;
  const std::filesystem::path chosen(notice->lpOFN->lpstrFile);
  if (accepted(GetParent(hook), *state->request, chosen)) return 0;
  SetWindowLongPtrW(hook, DWLP_MSGRESULT, 1);  // refused: the chooser stays open
  return 1;
}

}  // namespace

bool lowChooseFile(const FileChooserRequest& request, std::filesystem::path& path) {
  std::wstring file(pathRoom, L'\0');
  const std::wstring filters = filterList(request);
  const std::wstring title = toWide(request.title);
  std::string extension = request.defaultExtension;
  if (!extension.empty() && extension.front() == '.') extension.erase(0, 1);
  const std::wstring defaultExtension = toWide(extension);
  const std::wstring folder = request.initialDirectory.wstring();

  OPENFILENAMEW dialog{};
  ChooserState state{&request};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = request.filters.empty() ? nullptr : filters.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(std::max(1, request.filterIndex));
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = pathRoom;
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
  dialog.lCustData = reinterpret_cast<LPARAM>(&state);
  dialog.lpfnHook = chooserHook;
  dialog.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                 (request.pathMustExist ? OFN_PATHMUSTEXIST : 0);
  const bool mayCreate = request.promptOverwrite || request.promptCreate;
  if (!mayCreate) dialog.Flags |= OFN_FILEMUSTEXIST;
  const BOOL chosen = mayCreate ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return false;
  path = std::filesystem::path(file.c_str());
  return true;
}

std::filesystem::path lowCurrentDirectory() {
  const DWORD length = GetCurrentDirectoryW(0, nullptr);
  if (length == 0) return {};
  std::wstring folder(length, L'\0');
  const DWORD written = GetCurrentDirectoryW(length, folder.data());
  if (written == 0 || written >= length) return {};
  folder.resize(written);
  return folder;
}

}  // namespace bitscope
