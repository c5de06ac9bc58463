// SPDX-License-Identifier: MIT
// Moving values between a control record and its on-screen control: read-back
// (the user may have changed the control) and write-out (the program changed
// the record).
#include <algorithm>

#include "dialog/layer.h"
#include "dialog/texts.h"

namespace bitscope {

namespace {

bool holdsValues(const ControlRecord& record) {
  switch (record.kind) {
    case ControlKind::StaticText:
    case ControlKind::GroupBox:
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::EditBox:
    case ControlKind::ListBox:
      return true;
    default:
      return false;
  }
}

bool transfers(const ControlRecord& record, LowWindow* window) {
  return window != nullptr && !record.duplicate && holdsValues(record) && lowHasControl(window, record.id);
}

void readBackList(ControlRecord& record, LowWindow* window) {
  const int count = std::max(0, lowListCount(window, record.id));
  record.items.resize(static_cast<std::size_t>(count));
  record.selection.assign(static_cast<std::size_t>(count), 0);
  record.selectedText = blankItem();
  std::size_t selected = 0;
  for (int i = 0; i < count; ++i) {
    record.items[static_cast<std::size_t>(i)] = listItem(lowListText(window, record.id, i));
    if (lowListIsSelected(window, record.id, i)) {
      if (selected == 0) record.selectedText = record.items[static_cast<std::size_t>(i)];
      record.selection[selected++] = i + 1;
    }
  }
}

void writeOutList(const ControlRecord& record, LowWindow* window) {
  lowListReset(window, record.id);
  for (const std::string& item : record.items) lowListAdd(window, record.id, storedText(item));
  const auto count = static_cast<int>(record.items.size());
  for (int entry : record.selection)
    if (entry >= 1 && entry <= count) lowListSelect(window, record.id, entry - 1);
}

void writeOut(const ControlRecord& record, LowWindow* window) {
  if (!transfers(record, window)) return;
  const int id = record.id;
  writeOutAccessibleText(record, window);
  writeOutToolTip(record, window);
  switch (record.kind) {
    case ControlKind::StaticText:
    case ControlKind::GroupBox:
      lowSetText(window, id, record.text);
      lowEnable(window, id, record.enabled);
      break;
    case ControlKind::PushButton:
      lowSetText(window, id, record.text);
      lowEnable(window, id, record.enabled);
      // The close box and the Close menu item stand for the cancel button.
      if (id == 2) lowEnableCloseItem(window, record.enabled);
      break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      lowSetText(window, id, record.text);
      lowEnable(window, id, record.enabled);
      lowSetCheck(window, id, record.checked);
      break;
    case ControlKind::EditBox:
      lowSetText(window, id, record.text);
      lowEnable(window, id, record.enabled);
      lowSetCaret(window, id, std::clamp(record.caret, 0, static_cast<int>(record.text.size())));
      break;
    case ControlKind::ListBox:
      lowEnable(window, id, record.enabled);
      writeOutList(record, window);
      break;
    default:
      break;
  }
}

}  // namespace

void readBack(ControlRecord& record, LowWindow* window) {
  if (!transfers(record, window)) return;
  const int id = record.id;
  record.enabled = lowIsEnabled(window, id);
  switch (record.kind) {
    case ControlKind::StaticText:
    case ControlKind::GroupBox:
    case ControlKind::PushButton:
      record.text = lowGetText(window, id);
      break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      record.text = lowGetText(window, id);
      record.checked = lowGetCheck(window, id);
      break;
    case ControlKind::EditBox:
      record.text = lowGetText(window, id);
      record.caret = lowGetSelectionEnd(window, id);
      break;
    case ControlKind::ListBox:
      readBackList(record, window);
      break;
    default:
      break;
  }
}

void writeOutAccessibleText(const ControlRecord& record, LowWindow* window) {
  if (record.accessible && transfers(record, window))
    lowSetAccessibleText(window, record.id, *record.accessible);
}

void writeOutToolTip(const ControlRecord& record, LowWindow* window) {
  if (record.toolTip && transfers(record, window)) lowSetToolTip(window, record.id, *record.toolTip);
}

void readBackClean(DialogObject& dialog, LowWindow* window) {
  for (ControlRecord& record : dialog.controls)
    if (!record.changed) readBack(record, window);
}

void writeOutChanged(DialogObject& dialog, bool all) {
  LowWindow* window = dialog.window;
  if (window == nullptr) return;
  dialog.changed = false;
  dialog.updating = true;
  for (ControlRecord& record : dialog.controls) {
    if (!all && !record.changed) continue;
    record.changed = false;
    writeOut(record, window);
  }
  dialog.updating = false;
}

void noteChanged(DialogObject& dialog, ControlRecord& record) {
  record.changed = true;
  dialog.changed = true;
  if (dialog.window == nullptr) return;               // shown when the window is made
  if (layerState().currentDialog == &dialog) return;  // shown when its callback returns
  writeOutChanged(dialog, false);
}

}  // namespace bitscope
