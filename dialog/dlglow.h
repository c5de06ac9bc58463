// SPDX-License-Identifier: MIT
// The window binding: everything the dialog layer and the program need from a
// window system, as free functions over opaque handles.
//
// Exactly one implementation is linked into a program: bindings/qt/ (Qt 6
// Widgets, the desktop program on Linux), bindings/win32/ (the Windows API) or
// tests/sim/ (an in-memory window system that tests drive as a user would). No toolkit type appears here, so
// another binding can be added without touching the model, the loader or the program.
//
// Texts crossing this interface are single-byte Windows-1252 strings; a binding
// converts at its own boundary. File paths are not texts: they cross as
// std::filesystem::path in the platform's own encoding, so that any name the
// user can choose reaches the file system unchanged. Control indices of list items are 0-based here;
// the model's 1-based indices are its own business.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dialog/accessible_text.h"
#include "dialog/dlgtemplate.h"
#include "dialog/tool_tip.h"

namespace bitscope {

struct LowWindow;  // one on-screen dialog window
struct LowIcon;    // one loaded icon image

// ---- Notifications: binding -> dialog layer --------------------------------

enum class LowNotify {
  Clicked,        // push button, check box, radio button
  EditChange,     // edit box content changed (by anyone: the layer filters its own writes)
  EditUpdate,     // edit box content about to be displayed
  FocusIn,        // edit box received the keyboard focus
  FocusOut,       // edit box lost the keyboard focus
  ListSelChange,  // list box selection changed
  ListDblClick,   // list box item double-clicked
  Other,
};

enum class LowSizeKind { Restored, Minimised, Maximised };

struct LowEvent {
  enum class Kind { Init, Command, Activate, Size, Destroy } kind = Kind::Command;
  int controlId = 0;  // Command: the control's id; 2 with fromControl=false is the cancel command
  LowNotify notify = LowNotify::Other;       // Command
  bool fromControl = true;                   // Command: the notice came from a control window
  bool active = false;                       // Activate: activated (true) or deactivated (false)
  LowSizeKind size = LowSizeKind::Restored;  // Size
};

// The dialog layer's message handler, implemented by the layer. A binding calls
// it for every event of a window it created, with the user data given at
// creation reachable through lowGetUserData. Returns whether it was handled.
bool dlgWindowEvent(LowWindow* window, const LowEvent& event);

// ---- Windows ----------------------------------------------------------------

// Creates a modeless window from the template, owned by owner (may be null),
// attaches userData, delivers Init before returning, and shows it with the
// platform show command (1 = show normally). Null when creation failed.
LowWindow* lowCreateModeless(const DialogTemplate& tpl, LowWindow* owner, int showMode, void* userData);

// Creates a modal window (Init delivered), runs its loop until lowEndModal, then
// destroys it (Destroy delivered) and returns the value given to lowEndModal;
// -1 when the window cannot be created.
int lowRunModal(const DialogTemplate& tpl, LowWindow* owner, void* userData);

void lowEndModal(LowWindow* window, int result);  // ends the modal loop of window
void lowDestroyWindow(LowWindow* window);         // Destroy delivered before it returns
void* lowGetUserData(LowWindow* window);
void lowSetTitle(LowWindow* window, const std::string& title);
void lowEnableCloseItem(LowWindow* window, bool enabled);  // the close box / Close menu item

// ---- Controls, found by the window and the control id -----------------------

bool lowHasControl(LowWindow* window, int id);
void lowSetText(LowWindow* window, int id, const std::string& text);
std::string lowGetText(LowWindow* window, int id);
void lowEnable(LowWindow* window, int id, bool enabled);
bool lowIsEnabled(LowWindow* window, int id);
void lowSetCheck(LowWindow* window, int id, bool checked);
bool lowGetCheck(LowWindow* window, int id);
void lowSetCaret(LowWindow* window, int id, int index);  // empty selection at index
int lowGetSelectionEnd(LowWindow* window, int id);
// An edit box never holds more than maxChars characters from now on, as a
// native box with a text limit: a keystroke beyond it is refused (no change,
// no notice), a paste is cut to what fits, and the text there is now, or that
// the program sets later, is cut to maxChars.
void lowSetTextLimit(LowWindow* window, int id, int maxChars);
// What assistive technologies say of the control, replacing what was set
// before; an edit box's caret note follows its caret from now on.
void lowSetAccessibleText(LowWindow* window, int id, const AccessibleText& text);
// The control's tooltip from now on, replacing what was set before. Its text is
// asked for only when the tooltip is about to show, so that a text that is
// costly to make costs nothing until the mouse rests on the control.
void lowSetToolTip(LowWindow* window, int id, const ToolTipSource& source);

void lowListReset(LowWindow* window, int id);
void lowListAdd(LowWindow* window, int id, const std::string& text);
int lowListCount(LowWindow* window, int id);
std::string lowListText(LowWindow* window, int id, int index);
void lowListSelect(LowWindow* window, int id, int index);  // single selection: the current item
bool lowListIsSelected(LowWindow* window, int id, int index);
bool lowListIsMultiple(LowWindow* window, int id);

// ---- The message loop -------------------------------------------------------

struct LowMessage {
  void* native = nullptr;  // binding-specific
  int quitCode = 0;        // set when lowGetMessage returns false
};

// Waits for and takes the next message; false once the quit message arrives.
bool lowGetMessage(LowMessage& message);
// The dialog keyboard filter of window: true when it consumed the message.
bool lowIsDialogMessage(LowWindow* window, LowMessage& message);
void lowTranslateMessage(LowMessage& message);
void lowDispatchMessage(LowMessage& message);
void lowPostQuitMessage(int exitCode);

// ---- Platform services ------------------------------------------------------

enum class MessageIcon { None, Warning, Error, Information };

// A message box with an OK button. owner may be null (no owner window).
void lowMessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                   LowWindow* owner = nullptr);

// Ends the process after a fatal error of the layer.
[[noreturn]] void lowStopProgram(int exitCode);

// Icons by resource id (104 program, 109 summary button, 110 help button, 112
// small window icon); null when there is no such icon.
LowIcon* lowLoadIcon(int resourceId, int pixels);
int lowSmallIconSize();
void lowSetWindowIcon(LowWindow* window, LowIcon* icon);
void lowSetButtonIcon(LowWindow* window, int id, LowIcon* icon);

// The language of the binding's own windows and buttons (the file chooser,
// its questions, standard buttons): "ro" or "en", following the program's.
void lowSetLanguage(std::string_view code);

struct FileChooserRequest {
  std::string title;
  std::vector<std::pair<std::string, std::string>> filters;  // (description, pattern)
  int filterIndex = 1;                                       // 1-based
  std::string defaultExtension;                              // appended when the typed name has none
  std::filesystem::path initialDirectory;
  bool pathMustExist = true;    // a name in a folder that does not exist is refused
  bool promptCreate = true;     // ask before creating a file that does not exist
  bool promptOverwrite = true;  // ask before replacing a file that exists
};
// Runs the file chooser; true with the chosen path, exactly as chosen, false
// when cancelled. A question answered No keeps the chooser open.
bool lowChooseFile(const FileChooserRequest& request, std::filesystem::path& path);
// The process's current directory; empty when it cannot be told.
std::filesystem::path lowCurrentDirectory();

// Looks name up on the search path: the program's folder, the current folder,
// the installed data folder, then the folders of PATH. Empty when not found.
std::filesystem::path lowSearchPath(const std::string& name);

enum class OpenResult { Opened, NoAssociation, Failed };
// Opens a document with the desktop's associated application. Finding that
// application can take long, so the window is never kept waiting: done is
// called with the outcome once it is known, from the message loop (or before
// this returns, when it is known at once).
void lowOpenDocument(const std::filesystem::path& path, std::function<void(OpenResult)> done);

}  // namespace bitscope
