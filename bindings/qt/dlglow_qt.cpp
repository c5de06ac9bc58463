// SPDX-License-Identifier: MIT
// The window binding on Qt 6 Widgets: the control operations of dlglow.h.
// Windows are in qt_window.cpp, the controls' construction in qt_controls.cpp,
// the message loop in qt_loop.cpp and the platform services in qt_services.cpp.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include <algorithm>

#include "bindings/qt/qt_binding.h"
#include "dialog/winstyle.h"

namespace bitscope {
namespace {

QLineEdit* editOf(LowWindow* window, int id) {
  QtControl* control = qtFindControl(window, id);
  return control != nullptr ? qobject_cast<QLineEdit*>(control->widget) : nullptr;
}

QListWidget* listOf(LowWindow* window, int id) {
  QtControl* control = qtFindControl(window, id);
  return control != nullptr ? qobject_cast<QListWidget*>(control->widget) : nullptr;
}

// Check boxes and radio buttons; a push button has no check mark.
QAbstractButton* checkableOf(LowWindow* window, int id) {
  QtControl* control = qtFindControl(window, id);
  if (control == nullptr ||
      (control->kind != QtControlKind::CheckBox && control->kind != QtControlKind::RadioButton))
    return nullptr;
  return static_cast<QAbstractButton*>(control->widget);
}

QListWidgetItem* itemOf(LowWindow* window, int id, int index) {
  QListWidget* list = listOf(window, id);
  return list != nullptr ? list->item(index) : nullptr;
}

}  // namespace

bool lowHasControl(LowWindow* window, int id) { return qtFindControl(window, id) != nullptr; }

void lowSetText(LowWindow* window, int id, const std::string& text) {
  QtControl* control = qtFindControl(window, id);
  if (control == nullptr) return;
  if (control->kind == QtControlKind::Edit) {
    qtSetEditText(*window, *control, text);
    return;
  }
  control->caption = text;
  qtShowCaption(*window, *control);
}

std::string lowGetText(LowWindow* window, int id) {
  const QtControl* control = qtFindControl(window, id);
  if (control == nullptr) return {};
  if (control->kind == QtControlKind::Edit)
    return fromQt(static_cast<const QLineEdit*>(control->widget)->text());
  return control->caption;
}

void lowEnable(LowWindow* window, int id, bool enabled) {
  if (QtControl* control = qtFindControl(window, id)) control->widget->setEnabled(enabled);
}

bool lowIsEnabled(LowWindow* window, int id) {
  const QtControl* control = qtFindControl(window, id);
  return control != nullptr && control->widget->isEnabled();
}

void lowSetCheck(LowWindow* window, int id, bool checked) {
  QAbstractButton* button = checkableOf(window, id);
  if (button == nullptr) return;
  // An exclusive group refuses to uncheck its checked button; the program
  // may, as on Windows, so the group lets go for the moment of the write.
  QButtonGroup* group = button->group();
  const bool exclusive = group != nullptr && group->exclusive();
  if (exclusive) group->setExclusive(false);
  if (checked && group != nullptr) {
    for (QAbstractButton* other : group->buttons())
      if (other != button) other->setChecked(false);
  }
  button->setChecked(checked);
  if (exclusive) group->setExclusive(true);
}

bool lowGetCheck(LowWindow* window, int id) {
  const QAbstractButton* button = checkableOf(window, id);
  return button != nullptr && button->isChecked();
}

void lowSetCaret(LowWindow* window, int id, int index) {
  if (QLineEdit* edit = editOf(window, id))
    edit->setCursorPosition(toUtf16Index(edit->text(), std::max(0, index)));
}

void lowSetTextLimit(LowWindow* window, int id, int maxChars) {
  if (QLineEdit* edit = editOf(window, id)) edit->setMaxLength(std::max(0, maxChars));
}

int lowGetSelectionEnd(LowWindow* window, int id) {
  const QLineEdit* edit = editOf(window, id);
  if (edit == nullptr) return 0;
  const int end = edit->hasSelectedText() ? edit->selectionEnd() : edit->cursorPosition();
  return toCharIndex(edit->text(), end);
}

void lowSetAccessibleText(LowWindow* window, int id, const AccessibleText& text) {
  QtControl* control = qtFindControl(window, id);
  if (control == nullptr || control->accessible == text) return;
  control->accessible = text;
  qtShowAccessibleText(*control);
}

void lowListReset(LowWindow* window, int id) {
  if (QListWidget* list = listOf(window, id)) {
    const QSignalBlocker quiet(list);
    list->clear();
  }
}

void lowListAdd(LowWindow* window, int id, const std::string& text) {
  QListWidget* list = listOf(window, id);
  if (list == nullptr) return;
  const QSignalBlocker quiet(list);
  const QString item = toQt(text);
  int row = list->count();
  // A sorted list box inserts in order, ignoring case, as Windows does.
  if ((qtFindControl(window, id)->style & winstyle::LBS_SORT) != 0) {
    row = 0;
    while (row < list->count() && QString::compare(list->item(row)->text(), item, Qt::CaseInsensitive) <= 0)
      ++row;
  }
  list->insertItem(row, item);
}

int lowListCount(LowWindow* window, int id) {
  const QListWidget* list = listOf(window, id);
  return list != nullptr ? list->count() : 0;
}

std::string lowListText(LowWindow* window, int id, int index) {
  const QListWidgetItem* item = itemOf(window, id, index);
  return item != nullptr ? fromQt(item->text()) : std::string();
}

void lowListSelect(LowWindow* window, int id, int index) {
  QListWidget* list = listOf(window, id);
  if (list == nullptr) return;
  const QSignalBlocker quiet(list);
  QListWidgetItem* item = list->item(index);
  if (list->selectionMode() == QAbstractItemView::SingleSelection) {
    list->setCurrentItem(item);  // none for an index out of range: no selection
    if (item == nullptr) list->clearSelection();
  } else if (item != nullptr) {
    item->setSelected(true);
  }
}

bool lowListIsSelected(LowWindow* window, int id, int index) {
  const QListWidgetItem* item = itemOf(window, id, index);
  return item != nullptr && item->isSelected();
}

bool lowListIsMultiple(LowWindow* window, int id) {
  const QListWidget* list = listOf(window, id);
  return list != nullptr && list->selectionMode() != QAbstractItemView::SingleSelection;
}

}  // namespace bitscope
