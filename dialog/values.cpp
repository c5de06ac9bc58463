// SPDX-License-Identifier: MIT
// The property operations: which (kind, selector) pairs each value operation
// accepts and what they do, callbacks, the caption and forced refresh.
#include <algorithm>

#include "dialog/layer.h"
#include "dialog/texts.h"
#include "textmodel/blank_padded.h"

namespace bitscope {

namespace {

using Kind = ControlKind;

bool isDefaultOr(int property, int selector) { return property == PROP_DEFAULT || property == selector; }

bool isLabelKind(Kind kind) {
  return kind == Kind::StaticText || kind == Kind::GroupBox || kind == Kind::PushButton ||
         kind == Kind::CheckBox || kind == Kind::RadioButton;
}

// Kinds whose logical default is the enabled state.
bool isEnabledDefaultKind(Kind kind) {
  return kind == Kind::StaticText || kind == Kind::GroupBox || kind == Kind::PushButton ||
         kind == Kind::EditBox || kind == Kind::ListBox;
}

bool isListIndex(const ControlRecord& record, int property) {
  return property >= 1 && static_cast<std::size_t>(property) <= record.items.size();
}

// A radio button can only be turned off by checking another of its group:
// clearing one checks the group's first.
void applyRadioGroupRule(DialogObject& dialog, int index, bool value) {
  ControlRecord& record = dialog.controls[static_cast<std::size_t>(index)];
  const int first = record.groupFirst;
  for (int i = first; i <= record.groupLast; ++i) {
    ControlRecord& member = dialog.controls[static_cast<std::size_t>(i)];
    if (member.kind != Kind::RadioButton) continue;
    member.checked = false;
    member.changed = true;
  }
  dialog.controls[static_cast<std::size_t>(value ? index : first)].checked = true;
}

// The record for a value operation, read back first when the window may hold
// something newer than a clean record.
ControlRecord* prepare(DialogObject& dialog, int controlId) {
  ControlRecord* record = findControl(dialog, controlId);
  if (record != nullptr && dialog.window != nullptr && !record->changed) readBack(*record, dialog.window);
  return record;
}

bool setLogical(DialogObject& dialog, ControlRecord& record, bool value, int property) {
  const Kind kind = record.kind;
  if (isEnabledDefaultKind(kind) && isDefaultOr(property, PROP_ENABLED)) {
    record.enabled = value;
    return true;
  }
  if (kind != Kind::CheckBox && kind != Kind::RadioButton) return false;
  if (property == PROP_ENABLED) {
    record.enabled = value;
    return true;
  }
  if (!isDefaultOr(property, PROP_STATE)) return false;
  if (kind == Kind::CheckBox)
    record.checked = value;
  else
    applyRadioGroupRule(dialog, static_cast<int>(&record - dialog.controls.data()), value);
  return true;
}

bool setInteger(ControlRecord& record, int value, int property) {
  if (record.kind == Kind::EditBox) {
    if (isDefaultOr(property, PROP_TEXTLENGTH)) {
      if (value < 0) return false;
      record.text.resize(static_cast<std::size_t>(value), ' ');
      record.caret = std::min(record.caret, value);
      return true;
    }
    if (property == PROP_POSITION) {
      record.caret = value;
      return true;
    }
    return false;
  }
  if (record.kind != Kind::ListBox) return false;
  if (isDefaultOr(property, PROP_ITEMCOUNT)) {
    if (value < 0) return false;
    record.items.resize(static_cast<std::size_t>(value), blankItem());
    record.selection.assign(static_cast<std::size_t>(value), 0);
    record.selectedText = blankItem();
    return true;
  }
  if (!isListIndex(record, property)) return false;
  record.selection[static_cast<std::size_t>(property - 1)] = value;
  return true;
}

bool setText(ControlRecord& record, std::string_view text, int property) {
  if (isLabelKind(record.kind)) {
    if (!isDefaultOr(property, PROP_TITLE)) return false;
    record.text = storedText(text);
    return true;
  }
  if (record.kind == Kind::EditBox) {
    if (!isDefaultOr(property, PROP_STATE)) return false;
    record.text = storedText(text);
    record.caret = std::min(record.caret, static_cast<int>(record.text.size()));
    return true;
  }
  if (record.kind != Kind::ListBox) return false;
  if (property == PROP_ADDITEM) {
    record.items.push_back(listItem(text));
    record.selection.push_back(0);
    return true;
  }
  if (!isListIndex(record, property)) return false;
  record.items[static_cast<std::size_t>(property - 1)] = listItem(text);
  return true;
}

std::optional<bool> getLogical(const ControlRecord& record, int property) {
  const Kind kind = record.kind;
  if (isEnabledDefaultKind(kind)) {
    if (isDefaultOr(property, PROP_ENABLED)) return record.enabled;
    return std::nullopt;
  }
  if (kind != Kind::CheckBox && kind != Kind::RadioButton) return std::nullopt;
  if (isDefaultOr(property, PROP_STATE)) return record.checked;
  if (property == PROP_ENABLED) return record.enabled;
  return std::nullopt;
}

std::optional<int> getInteger(const ControlRecord& record, int property) {
  if (record.kind == Kind::EditBox) {
    if (isDefaultOr(property, PROP_TEXTLENGTH)) return static_cast<int>(record.text.size());
    if (property == PROP_POSITION) return record.caret;
    return std::nullopt;
  }
  if (record.kind != Kind::ListBox) return std::nullopt;
  if (isDefaultOr(property, PROP_ITEMCOUNT)) return static_cast<int>(record.items.size());
  if (property < 1) return std::nullopt;
  // An entry beyond the item count reads as "no item".
  return isListIndex(record, property) ? record.selection[static_cast<std::size_t>(property - 1)] : 0;
}

const std::string* getText(const ControlRecord& record, int property) {
  if (isLabelKind(record.kind)) return isDefaultOr(property, PROP_TITLE) ? &record.text : nullptr;
  if (record.kind == Kind::EditBox) return isDefaultOr(property, PROP_STATE) ? &record.text : nullptr;
  if (record.kind != Kind::ListBox) return nullptr;
  if (isDefaultOr(property, PROP_STATE)) return &record.selectedText;
  return isListIndex(record, property) ? &record.items[static_cast<std::size_t>(property - 1)] : nullptr;
}

// The callback slot that eventKind names for the record's kind, if accepted;
// no event kind names the kind's default slot.
std::optional<std::size_t> callbackSlot(Kind kind, std::optional<int> eventKind) {
  const std::span<const EventSlot> slots = eventSlots(kind);
  if (slots.empty()) return std::nullopt;
  if (!eventKind) return 0;
  for (std::size_t slot = 0; slot < slots.size(); ++slot)
    if (slots[slot].eventKind == *eventKind) return slot;
  return std::nullopt;
}

}  // namespace

ControlRecord* findControl(DialogObject& dialog, int controlId) {
  const auto found =
      std::find_if(dialog.controls.begin(), dialog.controls.end(),
                   [controlId](const ControlRecord& record) { return record.id == controlId; });
  return found == dialog.controls.end() ? nullptr : &*found;
}

bool DLGSETVALUE(DialogObject& dialog, int controlId, bool value, int property) {
  ControlRecord* record = prepare(dialog, controlId);
  if (record == nullptr) return false;
  const bool accepted = setLogical(dialog, *record, value, property);
  noteChanged(dialog, *record);
  return accepted;
}

bool DLGSETVALUE(DialogObject& dialog, int controlId, int value, int property) {
  ControlRecord* record = prepare(dialog, controlId);
  if (record == nullptr) return false;
  const bool accepted = setInteger(*record, value, property);
  noteChanged(dialog, *record);
  return accepted;
}

bool DLGSETVALUE(DialogObject& dialog, int controlId, std::string_view text, int property) {
  ControlRecord* record = prepare(dialog, controlId);
  if (record == nullptr) return false;
  const bool accepted = setText(*record, text, property);
  noteChanged(dialog, *record);
  return accepted;
}

bool DLGSETVALUE(DialogObject& dialog, int controlId, const char* text, int property) {
  return DLGSETVALUE(dialog, controlId, std::string_view(text != nullptr ? text : ""), property);
}

bool DLGGETVALUE(DialogObject& dialog, int controlId, bool& value, int property) {
  const ControlRecord* record = prepare(dialog, controlId);
  if (record == nullptr) return false;
  const std::optional<bool> got = getLogical(*record, property);
  if (got) value = *got;
  return got.has_value();
}

bool DLGGETVALUE(DialogObject& dialog, int controlId, int& value, int property) {
  const ControlRecord* record = prepare(dialog, controlId);
  if (record == nullptr) return false;
  const std::optional<int> got = getInteger(*record, property);
  if (got) value = *got;
  return got.has_value();
}

bool DLGGETVALUE(DialogObject& dialog, int controlId, std::string& text, int length, int property) {
  if (length < 0) return false;
  const ControlRecord* record = prepare(dialog, controlId);
  if (record == nullptr) return false;
  const std::string* got = getText(*record, property);
  if (got == nullptr) return false;
  text = paddedTo(*got, static_cast<std::size_t>(length));
  return true;
}

bool DLGSETCALLBACK(DialogObject& dialog, int controlId, DialogCallback routine,
                    std::optional<int> eventKind) {
  if (routine == nullptr || !dialog.loaded) return false;
  if (ControlRecord* record = findControl(dialog, controlId)) {
    const std::optional<std::size_t> slot = callbackSlot(record->kind, eventKind);
    if (!slot || *slot >= record->callbacks.size()) return false;
    record->callbacks[*slot] = routine;
    return true;
  }
  if (controlId != dialog.templateId) return false;
  (eventKind == EVT_SIZE ? dialog.sizeCallback : dialog.dialogCallback) = routine;
  return true;
}

void DLGSETCAPTION(DialogObject& dialog, std::string_view caption) {
  dialog.caption = storedText(caption);
  if (dialog.window != nullptr) lowSetTitle(dialog.window, *dialog.caption);
}

bool DLGSETACCESSIBLETEXT(DialogObject& dialog, int controlId, const AccessibleText& text) {
  ControlRecord* record = findControl(dialog, controlId);
  if (record == nullptr) return false;
  // Heard, not seen: it changes nothing the window shows, so it needs no write-out
  // of the record's values and goes to the window at once.
  if (record->accessible == text) return true;
  record->accessible = text;
  if (dialog.window != nullptr) writeOutAccessibleText(*record, dialog.window);
  return true;
}

bool DLGSETTOOLTIP(DialogObject& dialog, int controlId, const ToolTipSource& source) {
  ControlRecord* record = findControl(dialog, controlId);
  if (record == nullptr) return false;
  record->toolTip = source;
  if (dialog.window != nullptr) writeOutToolTip(*record, dialog.window);
  return true;
}

void DLGREFRESH(DialogObject& dialog, bool all) {
  if (dialog.window == nullptr) return;
  if (all || dialog.changed) writeOutChanged(dialog, all);
}

}  // namespace bitscope
