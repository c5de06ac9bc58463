// SPDX-License-Identifier: MIT
// What the parts of the dialog layer share among themselves: the layer-wide
// references, the per-window binding records, and the transfers between a
// control record and its on-screen control. Not for the program's use.
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "dialog/dialog.h"

namespace bitscope {

// Attached to each dialog window as its user data, for the window's lifetime.
struct WindowBinding {
  DialogObject* dialog = nullptr;
  bool modal = false;
  LowWindow* window = nullptr;  // known from the window's initialisation on
  bool closing = false;         // ended or being destroyed: further closes do nothing
};

struct LayerState {
  // The dialog whose window message is being handled, and that window; saved
  // and restored around every handled message so that handlers nest.
  DialogObject* currentDialog = nullptr;
  LowWindow* currentWindow = nullptr;
  // The modeless window activated last; none once it is deactivated or gone.
  LowWindow* activeModelessWindow = nullptr;
  // The dialog whose modal run is innermost.
  DialogObject* currentModal = nullptr;
  std::vector<std::unique_ptr<WindowBinding>> bindings;
};

LayerState& layerState();

WindowBinding& addWindowBinding(DialogObject& dialog, bool modal);
void removeWindowBinding(const WindowBinding* binding);  // no-op when already gone
WindowBinding* windowBinding(LowWindow* window);

// Sets the current dialog and window for one handled message, and restores
// the previous ones when the message is done.
class CurrentDialogScope {
 public:
  CurrentDialogScope(DialogObject& dialog, LowWindow* window);
  ~CurrentDialogScope();
  CurrentDialogScope(const CurrentDialogScope&) = delete;
  CurrentDialogScope& operator=(const CurrentDialogScope&) = delete;

 private:
  DialogObject* savedDialog_;
  LowWindow* savedWindow_;
};

// ---- Events (dialog/event_table.cpp)

// One callback slot of a control kind: the event kind the program names it by
// and the window notice that raises it.
struct EventSlot {
  int eventKind;
  LowNotify notify;
};
// The slots of the kind in order, its default event first; none for a kind
// that raises no events.
std::span<const EventSlot> eventSlots(ControlKind kind);

// ---- Transfers (dialog/transfer.cpp)

// Refreshes a record from its control in window (skipped for duplicates and
// records that hold no values).
void readBack(ControlRecord& record, LowWindow* window);
// Reads back every record whose changed flag is clear: those with a pending
// change are newer than the window.
void readBackClean(DialogObject& dialog, LowWindow* window);
// Writes the changed records (every record when all) to the dialog's window,
// with the updating flag set so that the window's notices are ignored.
void writeOutChanged(DialogObject& dialog, bool all);
// Gives the record's accessible text, if it has one, to its control in window.
void writeOutAccessibleText(const ControlRecord& record, LowWindow* window);
// Gives the record's tooltip, if it has one, to its control in window.
void writeOutToolTip(const ControlRecord& record, LowWindow* window);
// After a set that found its record: mark it and the dialog changed, and show
// it now unless there is no window or the dialog's own callback is running.
void noteChanged(DialogObject& dialog, ControlRecord& record);

// ---- Closing (dialog/running.cpp)

// Ends window (one of dialog's windows) with the dialog's result value.
void closeDialogWindow(DialogObject& dialog, LowWindow* window);
// The default routine of every push button: result := the button's id, close.
void closeByPushButton(DialogObject& dialog, int controlId, int eventKind);
// The default routine of every other slot.
void ignoreEvent(DialogObject& dialog, int controlId, int eventKind);

// The template templateId of module, or of the program's own resources when module is none.
const DialogTemplate* findTemplate(const DialogModule* module, int templateId);

// The record with the id (the first one), or null.
ControlRecord* findControl(DialogObject& dialog, int controlId);

}  // namespace bitscope
