// SPDX-License-Identifier: MIT
// Showing dialogs modally and modelessly, closing them, routing queued
// messages to the active modeless dialog, and releasing dialog objects.
#include "dialog/layer.h"

namespace bitscope {

void ignoreEvent(DialogObject&, int, int) {}

void closeByPushButton(DialogObject& dialog, int controlId, int) {
  dialog.result = controlId;
  // The button's own window closes, which is the dialog's window unless an
  // older window of the same object sent the click.
  const LayerState& layer = layerState();
  const bool handlingThisDialog = layer.currentDialog == &dialog && layer.currentWindow != nullptr;
  closeDialogWindow(dialog, handlingThisDialog ? layer.currentWindow : dialog.window);
}

void closeDialogWindow(DialogObject& dialog, LowWindow* window) {
  WindowBinding* binding = windowBinding(window);
  if (binding == nullptr || binding->closing) return;
  binding->closing = true;
  if (binding->modal) {
    // Keep what the user entered: the table outlives the window.
    readBackClean(dialog, window);
    lowEndModal(window, dialog.result);
  } else {
    lowDestroyWindow(window);  // the destruction handler reads back and forgets the window
  }
  if (dialog.window == window) dialog.window = nullptr;
}

int DLGMODAL(DialogObject& dialog) {
  const DialogTemplate* tpl = dialog.loaded ? findTemplate(dialog.module, dialog.templateId) : nullptr;
  if (tpl == nullptr) return -1;
  LayerState& layer = layerState();
  DialogObject* outerModal = layer.currentModal;
  layer.currentModal = &dialog;
  LowWindow* owner = nullptr;
  if (outerModal != nullptr && outerModal->window != nullptr)
    owner = outerModal->window;
  else if (layer.currentDialog != nullptr)
    owner = layer.currentDialog->window;

  WindowBinding& binding = addWindowBinding(dialog, true);
  lowRunModal(*tpl, owner, &binding);
  layer.currentModal = outerModal;
  LowWindow* window = binding.window;  // none when the window was never made
  removeWindowBinding(&binding);
  if (window == nullptr) return -1;
  if (dialog.window == window) dialog.window = nullptr;
  // The dialog's own result, not the platform loop's value.
  return dialog.result;
}

bool DLGMODELESS(DialogObject& dialog, int showMode, LowWindow* owner) {
  const LayerState& layer = layerState();
  if (owner == nullptr && layer.currentDialog != nullptr) owner = layer.currentDialog->window;
  // Without a module of its own the dialog takes its owner's.
  const WindowBinding* ownerBinding = windowBinding(owner);
  const DialogModule* module =
      dialog.module != nullptr || ownerBinding == nullptr ? dialog.module : ownerBinding->dialog->module;
  const DialogTemplate* tpl = dialog.loaded ? findTemplate(module, dialog.templateId) : nullptr;
  if (tpl == nullptr) return false;
  WindowBinding& binding = addWindowBinding(dialog, false);
  if (lowCreateModeless(*tpl, owner, showMode, &binding) != nullptr) return true;
  removeWindowBinding(&binding);
  return false;
}

void DLGEXIT(DialogObject& dialog) { closeDialogWindow(dialog, dialog.window); }

void DLGSETRESULT(DialogObject& dialog, int value) { dialog.result = value; }

bool DLGROUTEMESSAGE(LowMessage& message) {
  LowWindow* active = layerState().activeModelessWindow;
  return active != nullptr && lowIsDialogMessage(active, message);
}

void DLGRELEASE(DialogObject& dialog) { dialog = DialogObject{}; }

}  // namespace bitscope
