// SPDX-License-Identifier: MIT
// Tooltips made when they are about to show, and the copy item they may add
// to an edit box's context menu.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QToolTip>

#include "bindings/qt/qt_binding.h"

namespace bitscope {

namespace {

// The character under pos, or -1 past the text. The caret position nearest to
// a point is the boundary before or after the character under it; measured
// from half a character further left, it is the one before.
int characterAt(QLineEdit& edit, QPoint pos) {
  const QString shown = edit.text();
  const int halfCharacter = edit.fontMetrics().averageCharWidth() / 2;
  const int utf16 = edit.cursorPositionAt(pos - QPoint(halfCharacter, 0));
  const int character = toCharIndex(shown, utf16);
  return character < toCharIndex(shown, static_cast<int>(shown.size())) ? character : -1;
}

// Watches one control; asks its window's record for the source at every
// event, so that a later lowSetToolTip needs no new filter.
class ToolTipFilter final : public QObject {
 public:
  ToolTipFilter(LowWindow* window, int id, QWidget* widget) : QObject(widget), window_(window), id_(id) {
    widget->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ToolTip)
      return showToolTip(static_cast<QWidget*>(watched), *static_cast<QHelpEvent*>(event));
    if (event->type() == QEvent::ContextMenu) {
      if (auto* edit = qobject_cast<QLineEdit*>(watched))
        return showContextMenu(edit, *static_cast<QContextMenuEvent*>(event));
    }
    return false;
  }

 private:
  const ToolTipSource* source() const {
    const QtControl* control = qtFindControl(window_, id_);
    return control != nullptr && control->toolTip.text ? &control->toolTip : nullptr;
  }

  bool showToolTip(QWidget* widget, const QHelpEvent& help) {
    const ToolTipSource* from = source();
    if (from == nullptr) return false;
    auto* edit = qobject_cast<QLineEdit*>(widget);
    const std::string text = from->text(edit != nullptr ? characterAt(*edit, help.pos()) : -1);
    if (text.empty())
      QToolTip::hideText();
    else
      QToolTip::showText(help.globalPos(), toQt(text), widget);
    return true;
  }

  bool showContextMenu(QLineEdit* edit, const QContextMenuEvent& request) {
    const ToolTipSource* from = source();
    if (from == nullptr || from->copyLabel.empty()) return false;
    const QPointer<QMenu> menu(edit->createStandardContextMenu());
    const std::string copied = from->copyText ? from->copyText() : std::string();
    QAction* copy = menu->addAction(toQt(from->copyLabel));
    copy->setEnabled(!copied.empty());
    QObject::connect(copy, &QAction::triggered,
                     [copied] { QApplication::clipboard()->setText(toQt(copied)); });
    menu->exec(request.globalPos());
    delete menu;  // null when the window, and the menu with it, went while it was open
    return true;
  }

  LowWindow* window_;
  int id_;
};

}  // namespace

void lowSetToolTip(LowWindow* window, int id, const ToolTipSource& source) {
  QtControl* control = qtFindControl(window, id);
  if (control == nullptr) return;
  if (!control->hasToolTipFilter) new ToolTipFilter(window, id, control->widget);
  control->hasToolTipFilter = true;
  control->toolTip = source;
}

}  // namespace bitscope
