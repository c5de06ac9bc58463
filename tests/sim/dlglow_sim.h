// SPDX-License-Identifier: MIT
// The simulated window system: an in-memory implementation of dialog/dlglow.h
// that tests drive as a user would, with the notification rules of the
// Windows dialog manager:
// - an edit box notifies EditUpdate then EditChange for every change of its
//   text, the user's (one per typed character, one per paste or deletion) and
//   the program's own lowSetText alike; the dialog layer must drop the latter;
// - FocusOut (old) then FocusIn (new) when the focus moves between edit boxes,
//   also when the window is deactivated and activated again;
// - Clicked after a click on a button; automatic check boxes and radio buttons
//   change their marks first, radio buttons exclusively within their template
//   group (from the item with WS_GROUP up to the next one); a radio group is
//   one tab stop, at its checked radio, and the arrow keys move the check
//   through it in template order, round its end;
// - ListSelChange after the user selects a list item (LBS_NOTIFY only);
// - Activate when a window is shown, clicked, closed or destroyed; Destroy for
//   every window (owned windows first).
// The program's own writes (check marks, selections, caret) raise nothing else.
// An edit box with a text limit refuses a keystroke that would exceed it (no
// change, no notice) and cuts a paste, and the program's writes, to fit.
// Message boxes and the file chooser are answered at once from the script and,
// unlike real ones, take neither the activation nor the focus. The chooser
// keeps the contract of its request against the real file system: it asks
// before creating a file that does not exist and before replacing one that
// does (each question answered from the script), and a No keeps it open, so
// that it takes the next queued answer.
//
// User actions either run at once (simClick, ...) or are queued as the script
// (simQueue, simQueueKey) that lowGetMessage and the modal loop of lowRunModal
// consume one step at a time. A modal loop whose script runs dry reports a
// failure (see simSetFailureHandler) and ends instead of hanging.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/dlglow.h"

namespace bitscope {

struct SimControl {
  int id = 0;
  ControlClass controlClass = ControlClass::Static;
  std::uint32_t style = 0;
  std::string text;
  bool enabled = true;
  bool visible = true;
  bool checked = false;
  int selectionStart = 0;  // edit box: the selection, 0-based; the caret is its end
  int selectionEnd = 0;
  std::size_t textLimit = std::string::npos;  // edit box: the most characters it holds
  std::vector<std::string> items;             // list box
  std::vector<bool> selected;
  LowIcon* icon = nullptr;
  AccessibleText accessible;  // as the program gave it
  ToolTipSource toolTip;      // as the program gave it
};

struct LowIcon {
  int resourceId = 0;
  int pixels = 0;
};

struct LowWindow {
  int templateId = 0;
  std::string title;
  LowWindow* owner = nullptr;
  bool modal = false;
  int showMode = 1;
  bool visible = false;
  bool enabled = true;           // false while a modal window it owns runs
  bool closeItemEnabled = true;  // the close box and the Close menu item
  bool destroying = false;
  bool destroyed = false;
  bool modalEnded = false;
  int modalResult = 0;
  void* userData = nullptr;
  std::vector<SimControl> controls;  // template order
  int focus = -1;                    // index into controls, or none
  LowIcon* icon = nullptr;
};

// ---- The world -------------------------------------------------------------

// Destroys every remaining window (with its notices), then forgets windows,
// script, records and answers. Call it while the dialog objects still live.
void simReset();
// Called with a description when a test script is faulty (a modal loop or an
// answer queue ran dry, a window used after it was destroyed). The default
// prints it and aborts.
void simSetFailureHandler(std::function<void(const std::string&)> handler);

std::vector<LowWindow*> simLiveWindows();  // in creation order
LowWindow* simFindWindow(int templateId);  // the newest live one
LowWindow* simActiveWindow();
SimControl* simControl(LowWindow* window, int id);  // the first with the id
void simFailNextWindowCreation();
// What a screen reader hears of a control, as the Qt binding gives it: the
// program's name, else the caption (an edit box's content is no name); the
// description with the caret note of where the caret is now.
std::string simAccessibleName(LowWindow* window, int id);
std::string simAccessibleDescription(LowWindow* window, int id);
// The tooltip the mouse resting on character (0-based; -1: not on a character)
// of the control would show; empty when none would.
std::string simToolTip(LowWindow* window, int id, int character);
// The copy item the control's context menu offers: its label (empty: none)
// and the text it would put on the clipboard (empty: the item is disabled).
std::string simCopyItemLabel(LowWindow* window, int id);
std::string simCopyItemText(LowWindow* window, int id);

// ---- A user at the keyboard and mouse (false: the window system would not act)

// The arrows move through a radio group (the dialog manager's), the caret of
// an edit box (Left, Right) and the selection of a list box (Up, Down).
enum class SimKey { Escape, Enter, Tab, ShiftTab, Backspace, Delete, Up, Down, Left, Right };

bool simActivate(LowWindow* window);
bool simClick(LowWindow* window, int id);
bool simFocus(LowWindow* window, int id);
bool simSelectText(LowWindow* window, int id, int start, int end);  // focus, then select
bool simType(LowWindow* window, int id, std::string_view text);     // character by character
bool simPaste(LowWindow* window, int id, std::string_view text);    // one edit
bool simSelectListItem(LowWindow* window, int id, int index);       // 0-based
bool simDoubleClickListItem(LowWindow* window, int id, int index);
bool simCloseWindow(LowWindow* window);  // the close box
// A key handled by the dialog manager of window (as a routed message is).
bool simPressKey(LowWindow* window, SimKey key);
void simResize(LowWindow* window, LowSizeKind size);
// A raw control notice, for cases no user action produces.
void simSendCommand(LowWindow* window, int id, LowNotify notify, bool fromControl);

// ---- The script --------------------------------------------------------------

void simQueue(std::function<void()> step);  // a mouse-like action, dispatched by the loop
void simQueueKey(SimKey key);               // a keystroke to the active window
std::size_t simPendingSteps();

enum class SimLoopEnd { None, Quit, ScriptExhausted };
// Why the last lowGetMessage returned false.
SimLoopEnd simLoopEnd();
// Keystrokes that reached a control without the dialog manager (not routed).
int simUnroutedKeys();

// ---- Platform services: records and queued answers --------------------------

struct SimMessageBox {
  std::string text;
  std::string caption;
  MessageIcon icon = MessageIcon::None;
  LowWindow* owner = nullptr;
};
const std::vector<SimMessageBox>& simMessageBoxes();

void simAnswerFileChooser(std::optional<std::filesystem::path> path);  // none: cancelled
const std::vector<FileChooserRequest>& simFileChooserRequests();

struct SimChooserQuestion {
  enum class Kind { Create, Replace } kind = Kind::Create;
  std::filesystem::path path;
  std::string language;  // the binding's language when it was asked
};
void simAnswerChooserQuestion(bool yes);
const std::vector<SimChooserQuestion>& simChooserQuestions();

void simAnswerSearchPath(std::filesystem::path fullPath);  // empty: not found
const std::vector<std::string>& simSearchedNames();
void simAnswerOpenDocument(OpenResult result);
const std::vector<std::string>& simOpenedDocuments();
void simSetCurrentDirectory(std::filesystem::path directory);
// The last language given to lowSetLanguage; empty when none was.
const std::string& simLanguage();

}  // namespace bitscope
