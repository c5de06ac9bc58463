// SPDX-License-Identifier: MIT
// DLGLOAD: a dialog template becomes a control table, one record per item in
// template order, with kinds, starting values, default callbacks, radio groups
// and duplicate-id marks. No window is made here.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "dialog/layer.h"
#include "dialog/texts.h"
#include "dialog/winstyle.h"

namespace bitscope {

namespace {

using Kind = ControlKind;

// The layer's error box for a style it cannot show (error 50007); the program
// cannot go on without the control, so it stops.
[[noreturn]] void stopForInvalidStyle(std::string_view styleName, int controlId) {
  std::string text = "Invalid style ";
  text.append(styleName).append(" used for control ").append(std::to_string(controlId));
  lowMessageBox(text, "Dialog Procedure Error", MessageIcon::Error, nullptr);
  lowStopProgram(EXIT_FAILURE);
}

Kind buttonKind(const TemplateItem& item) {
  switch (item.style & winstyle::BS_TYPEMASK) {
    case winstyle::BS_PUSHBUTTON:
    case winstyle::BS_DEFPUSHBUTTON:
      return Kind::PushButton;
    case winstyle::BS_AUTOCHECKBOX:
      return Kind::CheckBox;
    case winstyle::BS_RADIOBUTTON:
    case winstyle::BS_3STATE:
    case winstyle::BS_AUTO3STATE:
    case winstyle::BS_AUTORADIOBUTTON:
      return Kind::RadioButton;
    case winstyle::BS_GROUPBOX:
      return Kind::GroupBox;
    case winstyle::BS_USERBUTTON:
      stopForInvalidStyle("BS_USERBUTTON", item.id);
    case winstyle::BS_OWNERDRAW:
      stopForInvalidStyle("BS_OWNERDRAW", item.id);
    default:  // the plain check box and the types the layer has no name for
      stopForInvalidStyle("<unknown>", item.id);
  }
}

Kind namedClassKind(const std::string& className) {
  if (className == "msctls_updown32") return Kind::Spinner;
  if (className == "msctls_trackbar32") return Kind::Slider;
  if (className == "msctls_progress32") return Kind::ProgressBar;
  if (className == "SysTabControl32") return Kind::TabControl;
  return Kind::Unknown;
}

Kind kindOf(const TemplateItem& item) {
  switch (item.controlClass) {
    case ControlClass::Button:
      return buttonKind(item);
    case ControlClass::Edit:
      return Kind::EditBox;
    case ControlClass::Static:
      return Kind::StaticText;
    case ControlClass::ListBox:
      if (item.style & winstyle::LBS_OWNERDRAWFIXED) stopForInvalidStyle("LBS_OWNERDRAWFIXED", item.id);
      if (item.style & winstyle::LBS_OWNERDRAWVARIABLE) stopForInvalidStyle("LBS_OWNERDRAWVARIABLE", item.id);
      return Kind::ListBox;
    case ControlClass::ScrollBar:
      return Kind::ScrollBar;
    case ControlClass::ComboBox:
      return (item.style & 0x3) == winstyle::CBS_DROPDOWNLIST ? Kind::DropDownList : Kind::ComboBox;
    case ControlClass::Named:
      break;
  }
  return namedClassKind(item.className);
}

// The starting values and default callbacks of a record of the given kind.
void giveStartingValues(ControlRecord& record, const TemplateItem& item) {
  record.enabled = (item.style & winstyle::WS_DISABLED) == 0;
  const std::string label = item.titleIsResource ? std::string() : storedText(item.title);
  switch (record.kind) {
    case Kind::StaticText:
    case Kind::GroupBox:
    case Kind::PushButton:
    case Kind::RadioButton:
    case Kind::EditBox:
      record.text = label;
      break;
    case Kind::CheckBox:
      record.text = label;
      record.checked = true;
      break;
    case Kind::ListBox:
      record.selectedText = blankItem();
      break;
    default:
      break;
  }
  record.callbacks.assign(eventSlots(record.kind).size(),
                          record.kind == Kind::PushButton ? closeByPushButton : ignoreEvent);
}

bool isAutoRadioButton(const TemplateItem& item) {
  return item.controlClass == ControlClass::Button &&
         (item.style & winstyle::BS_TYPEMASK) == winstyle::BS_AUTORADIOBUTTON;
}

// The id that closes the group opened by items[first]: the last automatic
// radio button before the next item that starts a group, or the opener's own.
int groupLastId(const std::vector<TemplateItem>& items, std::size_t first) {
  int lastId = items[first].id;
  for (std::size_t j = first + 1; j < items.size() && (items[j].style & winstyle::WS_GROUP) == 0; ++j)
    if (isAutoRadioButton(items[j])) lastId = items[j].id;
  return lastId;
}

bool load(int templateId, DialogObject& dialog, const DialogModule* module) {
  dialog = DialogObject{};
  dialog.templateId = templateId;
  dialog.dialogCallback = ignoreEvent;
  const DialogTemplate* tpl = findTemplate(module, templateId);
  if (tpl == nullptr) return false;

  const std::vector<TemplateItem>& items = tpl->items;
  dialog.controls.resize(items.size());
  bool groupOpen = false;
  std::size_t groupFirst = 0;
  int groupLast = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    ControlRecord& record = dialog.controls[i];
    record.id = items[i].id;
    record.kind = kindOf(items[i]);
    record.duplicate =
        std::any_of(dialog.controls.begin(), dialog.controls.begin() + static_cast<std::ptrdiff_t>(i),
                    [&record](const ControlRecord& earlier) { return earlier.id == record.id; });
    giveStartingValues(record, items[i]);
    if (record.kind == Kind::RadioButton) {
      record.groupFirst = record.groupLast = static_cast<int>(i);
      if (!groupOpen) {
        groupOpen = true;
        groupFirst = i;
        groupLast = groupLastId(items, i);
        record.checked = true;
      }
    }
    if (groupOpen && record.id == groupLast) {
      for (std::size_t k = groupFirst; k <= i; ++k) {
        if (dialog.controls[k].kind != Kind::RadioButton) continue;
        dialog.controls[k].groupFirst = static_cast<int>(groupFirst);
        dialog.controls[k].groupLast = static_cast<int>(i);
      }
      groupOpen = false;
    }
  }
  dialog.module = module;
  dialog.sizeCallback = ignoreEvent;
  dialog.loaded = true;
  return true;
}

}  // namespace

const DialogTemplate* findTemplate(const DialogModule* module, int templateId) {
  if (module == nullptr) return findDialogTemplate(templateId);
  const auto found = std::find_if(module->templates.begin(), module->templates.end(),
                                  [templateId](const DialogTemplate& tpl) { return tpl.id == templateId; });
  return found == module->templates.end() ? nullptr : &*found;
}

bool DLGLOAD(int templateId, DialogObject& dialog) { return load(templateId, dialog, nullptr); }

bool DLGLOAD(int templateId, DialogObject& dialog, const DialogModule& module) {
  return load(templateId, dialog, &module);
}

}  // namespace bitscope
