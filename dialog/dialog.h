// SPDX-License-Identifier: MIT
// The dialog-control layer: a dialog as a table of controls with typed values
// and callbacks, built from a dialog template, shown modally or modelessly
// through the window binding (dialog/dlglow.h).
//
// The program never touches windows: it reads and writes control values by
// control id and property selector, attaches callbacks, and lets the layer
// move values between the table and the window. Writing a value never raises a
// callback; values set inside one of a dialog's own callbacks reach its window
// when the callback returns (or at DLGREFRESH), values set from anywhere else
// at once.
//
// Texts are single-byte Windows-1252. A text handed to the layer loses its
// trailing blanks (and anything from a NUL on); a text handed out is padded
// with blanks, or cut, to the length the caller asks for. List items are fixed
// fields of 256 characters.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/dlglow.h"

namespace bitscope {

// ---- Property selectors (the optional last argument of the value operations)

inline constexpr int PROP_DEFAULT = -1;      // the kind's default property
inline constexpr int PROP_TITLE = -2;        // label of a static, group box or button
inline constexpr int PROP_ENABLED = -3;      // enabled (logical)
inline constexpr int PROP_STATE = -5;        // checked; edit content; list: first selected item's text
inline constexpr int PROP_POSITION = -9;     // caret position of an edit box (0-based)
inline constexpr int PROP_ITEMCOUNT = -13;   // number of items of a list box
inline constexpr int PROP_ADDITEM = -21;     // append an item to a list box (text set only)
inline constexpr int PROP_TEXTLENGTH = -22;  // length of an edit box's content
// n >= 1: list box item n (text variants) or the n-th selection entry (integer variants).

// ---- Event kinds (the event argument of DLGSETCALLBACK and of every callback)

inline constexpr int EVT_INIT = 0;         // window created and filled (dialog callback)
inline constexpr int EVT_DESTROY = -15;    // window being destroyed (dialog callback)
inline constexpr int EVT_SIZE = -24;       // window restored, minimised or maximised
inline constexpr int EVT_CLICKED = -4;     // push button, check box, radio button
inline constexpr int EVT_CHANGE = -6;      // edit box content changed
inline constexpr int EVT_UPDATE = -7;      // edit box content about to be displayed
inline constexpr int EVT_SELCHANGE = -10;  // list box selection changed
inline constexpr int EVT_DBLCLICK = -14;   // list box item double-clicked
inline constexpr int EVT_GAINFOCUS = -18;  // edit box received the keyboard focus
inline constexpr int EVT_LOSEFOCUS = -19;  // edit box lost the keyboard focus

struct DialogObject;

// controlId is the dialog's template id for the dialog callback and EVT_SIZE.
using DialogCallback = void (*)(DialogObject& dialog, int controlId, int eventKind);

// The kinds of control, numbered as the layer numbers them. Kinds 7 and 9 to 15
// are recognised in templates but hold no values: every operation on them
// fails, as on a class the layer does not know (Unknown).
enum class ControlKind : int {
  Dialog = 0,  // the dialog's own record
  StaticText = 1,
  GroupBox = 2,
  PushButton = 3,
  CheckBox = 4,
  RadioButton = 5,
  EditBox = 6,
  ScrollBar = 7,
  ListBox = 8,
  ComboBox = 9,
  DropDownList = 10,
  Spinner = 11,
  Slider = 12,
  ProgressBar = 13,
  TabControl = 14,
  Component = 15,
  Unknown = -1,
};

// A source of dialog templates other than the program's own resources, such as
// a resource script parsed at run time (dialog/rcparse.h).
struct DialogModule {
  std::vector<DialogTemplate> templates;
};

// The width of every list item.
inline constexpr std::size_t listItemWidth = 256;

struct ControlRecord {
  ControlKind kind = ControlKind::Unknown;
  int id = 0;
  bool changed = true;     // holds a value not yet written out to the window
  bool duplicate = false;  // an earlier record has the same id: never found, written or read
  bool enabled = true;
  bool checked = false;            // check box, radio button
  int groupFirst = 0;              // radio button: table indices (0-based) of its group's first
  int groupLast = 0;               //   and last record
  int caret = 0;                   // edit box: 0-based caret index
  std::string text;                // label, or edit content (whose length is the text length)
  std::vector<std::string> items;  // list box: each exactly listItemWidth characters
  std::vector<int> selection;  // list box: one entry per item; selected 1-based indices, ascending, then 0s
  std::string selectedText;    // list box: the first selected item, or blanks
  std::vector<DialogCallback> callbacks;     // event slots of the kind, in the order of the event table
  std::optional<AccessibleText> accessible;  // set by DLGSETACCESSIBLETEXT
  std::optional<ToolTipSource> toolTip;      // set by DLGSETTOOLTIP
};

struct DialogObject {
  int templateId = 0;
  LowWindow* window = nullptr;              // the newest on-screen window, or none
  int result = 1;                           // what DLGMODAL returns
  bool changed = true;                      // some record awaits write-out
  bool updating = false;                    // a write-out is running: window notifications are ignored
  bool loaded = false;                      // DLGLOAD built the table and DLGRELEASE has not freed it
  DialogCallback dialogCallback = nullptr;  // EVT_INIT and EVT_DESTROY
  std::vector<ControlRecord> controls;      // template order
  // The dialog's own record.
  const DialogModule* module = nullptr;   // where the template comes from; none: the program's own
  DialogCallback sizeCallback = nullptr;  // EVT_SIZE
  std::optional<std::string> caption;     // set by DLGSETCAPTION
};

// ---- Loading (dialog/loader.cpp)

// Builds the control table from template templateId; false when there is none.
// A control style the layer rejects is reported and stops the program.
bool DLGLOAD(int templateId, DialogObject& dialog);
// The same from another module, which must outlive the dialog's use; windows of
// the dialog are made from that module's template too.
bool DLGLOAD(int templateId, DialogObject& dialog, const DialogModule& module);

// ---- Values and callbacks (dialog/values.cpp)

// True when the control exists and accepts the property for its kind.
bool DLGSETVALUE(DialogObject& dialog, int controlId, bool value, int property = PROP_DEFAULT);
bool DLGSETVALUE(DialogObject& dialog, int controlId, int value, int property = PROP_DEFAULT);
bool DLGSETVALUE(DialogObject& dialog, int controlId, std::string_view text, int property = PROP_DEFAULT);
// A string literal would otherwise pick the logical variant.
bool DLGSETVALUE(DialogObject& dialog, int controlId, const char* text, int property = PROP_DEFAULT);
bool DLGSETVALUE(DialogObject&, int, char, int = PROP_DEFAULT) = delete;
bool DLGSETVALUE(DialogObject&, int, std::nullptr_t, int = PROP_DEFAULT) = delete;

// On failure the output is unchanged.
bool DLGGETVALUE(DialogObject& dialog, int controlId, bool& value, int property = PROP_DEFAULT);
bool DLGGETVALUE(DialogObject& dialog, int controlId, int& value, int property = PROP_DEFAULT);
// The text comes back blank-padded or cut to exactly length characters.
bool DLGGETVALUE(DialogObject& dialog, int controlId, std::string& text, int length,
                 int property = PROP_DEFAULT);

// Absent eventKind: the kind's default event. On the dialog's template id (when
// no control has it) the routine becomes the dialog callback, or with EVT_SIZE
// the size callback.
bool DLGSETCALLBACK(DialogObject& dialog, int controlId, DialogCallback routine,
                    std::optional<int> eventKind = std::nullopt);

void DLGSETCAPTION(DialogObject& dialog, std::string_view caption);

// What screen readers say of the control: shown at once when the dialog has a
// window, else when the window is made. False when no control has the id.
bool DLGSETACCESSIBLETEXT(DialogObject& dialog, int controlId, const AccessibleText& text);

// The control's tooltip: given to the window at once when the dialog has one,
// else when the window is made. False when no control has the id.
bool DLGSETTOOLTIP(DialogObject& dialog, int controlId, const ToolTipSource& source);

// Writes changed records (all records when all is true) to the window now.
void DLGREFRESH(DialogObject& dialog, bool all);

// ---- Running (dialog/running.cpp)

// Returns the result value once the dialog has closed; -1 when no window could be made.
int DLGMODAL(DialogObject& dialog);
// showMode is the platform show command (1 = normal); owner defaults to the
// window of the dialog whose callback is running, if any.
bool DLGMODELESS(DialogObject& dialog, int showMode = 1, LowWindow* owner = nullptr);
void DLGEXIT(DialogObject& dialog);
void DLGSETRESULT(DialogObject& dialog, int value);
// Offers a queued message to the active modeless dialog; true when consumed.
bool DLGROUTEMESSAGE(LowMessage& message);
// Frees the table; the object must be loaded again before further use.
void DLGRELEASE(DialogObject& dialog);

}  // namespace bitscope
