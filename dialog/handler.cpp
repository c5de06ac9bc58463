// SPDX-License-Identifier: MIT
// The dialog message handler: what the layer does with each event a window
// delivers (initialisation, control notices, activation, size, destruction).
#include "dialog/layer.h"

namespace bitscope {

namespace {

void invoke(DialogCallback routine, DialogObject& dialog, int controlId, int eventKind) {
  if (routine != nullptr) routine(dialog, controlId, eventKind);
}

struct Route {
  std::size_t slot;
  int eventKind;
};

// The callback slot and event kind for a notice from a control of the kind.
std::optional<Route> routeOf(ControlKind kind, LowNotify notify) {
  const std::span<const EventSlot> slots = eventSlots(kind);
  for (std::size_t slot = 0; slot < slots.size(); ++slot)
    if (slots[slot].notify == notify) return Route{slot, slots[slot].eventKind};
  return std::nullopt;
}

bool onInit(DialogObject& dialog, WindowBinding& binding, LowWindow* window) {
  CurrentDialogScope scope(dialog, window);
  binding.window = window;
  dialog.window = window;
  if (dialog.caption) lowSetTitle(window, *dialog.caption);
  // The window now shows exactly the table.
  writeOutChanged(dialog, true);
  invoke(dialog.dialogCallback, dialog, dialog.templateId, EVT_INIT);
  if (dialog.window != nullptr && dialog.changed) writeOutChanged(dialog, false);
  return true;
}

bool onCommand(DialogObject& dialog, LowWindow* window, const LowEvent& event) {
  CurrentDialogScope scope(dialog, window);
  const ControlRecord* record = findControl(dialog, event.controlId);
  if (record == nullptr) {
    // The cancel command of the keyboard or the close box, in a dialog without
    // a cancel button: it closes the dialog with result 2.
    if (event.controlId == 2 && !event.fromControl) {
      dialog.result = 2;
      closeDialogWindow(dialog, window);
    }
    return false;
  }
  // Notices caused by the layer's own write-out never reach a callback.
  if (event.controlId == 0 || dialog.updating) return false;
  const std::optional<Route> route = routeOf(record->kind, event.notify);
  if (!route || route->slot >= record->callbacks.size()) return false;
  if (record->kind == ControlKind::PushButton && !record->enabled) return false;
  // The callback may change the table; nothing of the record is used after it.
  invoke(record->callbacks[route->slot], dialog, event.controlId, route->eventKind);
  if (dialog.window != nullptr && dialog.changed) writeOutChanged(dialog, false);
  return true;
}

bool onDestroy(DialogObject& dialog, WindowBinding& binding, LowWindow* window) {
  CurrentDialogScope scope(dialog, window);
  binding.closing = true;
  const bool modeless = !binding.modal;
  // Only the dialog's newest window mirrors the table.
  if (modeless && dialog.window == window) readBackClean(dialog, window);
  invoke(dialog.dialogCallback, dialog, dialog.templateId, EVT_DESTROY);
  if (modeless && dialog.window == window) dialog.window = nullptr;
  LayerState& layer = layerState();
  if (layer.activeModelessWindow == window) layer.activeModelessWindow = nullptr;
  if (modeless) removeWindowBinding(&binding);  // a modal run removes its own
  return true;
}

}  // namespace

bool dlgWindowEvent(LowWindow* window, const LowEvent& event) {
  WindowBinding* binding = windowBinding(window);
  if (binding == nullptr) return false;
  DialogObject& dialog = *binding->dialog;
  switch (event.kind) {
    case LowEvent::Kind::Init:
      return onInit(dialog, *binding, window);
    case LowEvent::Kind::Command:
      return onCommand(dialog, window, event);
    case LowEvent::Kind::Activate:
      if (!binding->modal && event.active)
        layerState().activeModelessWindow = window;
      else if (layerState().activeModelessWindow == window)
        layerState().activeModelessWindow = nullptr;
      return false;  // the window system's own handling keeps the focus
    case LowEvent::Kind::Size: {
      CurrentDialogScope scope(dialog, window);
      invoke(dialog.sizeCallback, dialog, dialog.templateId, EVT_SIZE);
      return false;
    }
    case LowEvent::Kind::Destroy:
      return onDestroy(dialog, *binding, window);
  }
  return false;
}

}  // namespace bitscope
