// SPDX-License-Identifier: MIT
// Private to the Win32 binding: the records behind the opaque handles of
// dlglow.h and the routines the binding's files share. Only this binding
// includes <windows.h>.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dialog/dlglow.h"

namespace bitscope {

enum class Win32ControlKind { Label, Icon, GroupBox, PushButton, CheckBox, RadioButton, Edit, List, Other };

struct Win32Control {
  int id = 0;
  Win32ControlKind kind = Win32ControlKind::Other;
  std::uint32_t style = 0;
  HWND hwnd = nullptr;
  int radioGroup = 0;  // radio buttons: the template's group they belong to
  // The caption as the program gave it (Windows-1252); a button showing an
  // icon keeps it as its text.
  std::string caption;
  AccessibleText accessible;
  ToolTipSource toolTip;
  bool hasTool = false;       // registered with the window's tooltip control
  int maxChars = -1;          // edit boxes: the program's text limit, -1 for none
  int toolTipCharacter = -2;  // edit boxes: the character the shown tooltip is about
  long long caretSeen = -1;   // edit boxes: the caret and length last told to assistive technologies
};

struct LowWindow {
  HWND hwnd = nullptr;
  void* userData = nullptr;
  LowWindow* owner = nullptr;
  bool modal = false;
  bool closeEnabled = true;
  bool destroying = false;  // Destroy is delivered or under way: no further notices
  bool destroyDelivered = false;
  bool modalEnded = false;
  int modalResult = 0;
  int writingId = 0;  // the edit box the program is writing: its native notices are dropped
  bool minimised = false;
  HWND toolTips = nullptr;             // made with the first tooltip
  std::vector<Win32Control> controls;  // template order
};

struct LowIcon {
  HICON icon = nullptr;
  int pixels = 32;
};

// ---- win32_text.cpp ---------------------------------------------------------
std::wstring toWide(const std::string& cp1252);
std::string fromWide(const std::wstring& text);
// Edit boxes count UTF-16 units; the program counts characters. They differ
// only for characters outside the basic plane, which a user can paste.
int toCharIndex(const std::wstring& text, int utf16Index);
int toUtf16Index(const std::wstring& text, int charIndex);
std::wstring withoutMnemonics(const std::wstring& caption);  // "&Save" -> "Save", "&&" -> "&"
std::wstring windowText(HWND hwnd);

// ---- win32_template.cpp -----------------------------------------------------
// The in-memory DLGTEMPLATEEX of a parsed template, DWORD-aligned as the
// dialog manager requires.
std::vector<WORD> buildDialogTemplate(const DialogTemplate& tpl);
// The face the template names where it is installed and scalable, else the
// scalable face the Qt window's metrics come from (a bitmap face cannot follow
// the screen's scale nor shrink a label to fit).
std::wstring dialogFontFace(const std::string& templateFontName);

// ---- win32_window.cpp -------------------------------------------------------
void win32Notify(LowWindow* window, const LowEvent& event);
void win32NotifyCommand(LowWindow* window, int controlId, LowNotify notify);
Win32Control* win32FindControl(LowWindow* window, int id);
Win32Control* win32FindControl(LowWindow* window, HWND hwnd);
bool win32IsLive(const LowWindow* window);
HINSTANCE win32Instance();

// ---- win32_controls.cpp -----------------------------------------------------
// Records the controls the dialog manager made from the template, in its
// order, and prepares them (captions, subclassing).
void win32AdoptControls(LowWindow& window, const DialogTemplate& tpl);
void win32ShowCaption(Win32Control& control);
// The program's write into an edit box: shown, cut to its limit, and notified
// like an edit.
void win32SetEditText(LowWindow& window, Win32Control& control, const std::string& text);

// ---- win32_accessible.cpp ---------------------------------------------------
// What a screen reader hears of the control: the program's name, else the
// caption as shown; an edit box's description tells where its caret is.
LRESULT win32AccessibleObject(LowWindow& window, Win32Control& control, WPARAM wParam, LPARAM lParam);
std::wstring win32AccessibleName(const Win32Control& control);
std::wstring win32AccessibleDescription(const Win32Control& control);
// An edit box's caret moved or its text changed: tells assistive technologies.
void win32CaretMoved(Win32Control& control);

// ---- win32_tooltips.cpp -----------------------------------------------------
// The text of the tooltip about to show (TTN_GETDISPINFOW); true when handled.
bool win32ToolTipText(LowWindow& window, NMHDR* header);
// The mouse moved over an edit box: a tooltip about one character follows it.
void win32ToolTipMouseMoved(LowWindow& window, Win32Control& control);
// The edit box's context menu with the copy item of its tooltip; true when shown.
bool win32ToolTipContextMenu(LowWindow& window, Win32Control& control, LPARAM position);

// ---- win32_language.cpp -----------------------------------------------------
// The texts of the binding's own windows and menus in the program's language.
enum class BindingText { Yes, No, CreateFile, ReplaceFile, Undo, Cut, Copy, Paste, Delete, SelectAll };
std::wstring bindingText(BindingText which);
// A Yes/No question whose buttons speak the program's language; true for Yes.
bool win32AskYesNo(HWND owner, const std::wstring& text, const std::wstring& caption);

}  // namespace bitscope
