// SPDX-License-Identifier: MIT
// Platform services: message boxes, icons and the fatal stop.
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <utility>

#include "bindings/qt/qt_binding.h"

namespace bitscope {
namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void lowMessageBox(const std::string& text, const std::string& caption, MessageIcon icon, LowWindow* owner) {
  QMessageBox box(boxIcon(icon), toQt(caption), toQt(text), QMessageBox::Ok,
                  owner != nullptr ? owner->dialog : nullptr);
  box.setTextFormat(Qt::PlainText);  // "&" and "<" shown as they stand
  box.exec();
}

void lowStopProgram(int exitCode) {
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

// ---- icons ------------------------------------------------------------------

QIcon qtIconForResource(int resourceId) {
  // Icons are embedded from resources/icons/<id>.svg; an id without a file
  // has no icon.
  const QString path = QStringLiteral(":/icons/%1.svg").arg(resourceId);
  return QFile::exists(path) ? QIcon(path) : QIcon();
}

LowIcon* lowLoadIcon(int resourceId, int pixels) {
  static std::map<std::pair<int, int>, std::unique_ptr<LowIcon>> loaded;
  std::unique_ptr<LowIcon>& entry = loaded[{resourceId, pixels}];
  if (entry == nullptr) {
    QIcon icon = qtIconForResource(resourceId);
    if (icon.isNull()) return nullptr;
    entry = std::make_unique<LowIcon>(LowIcon{std::move(icon), pixels});
  }
  return entry.get();
}

int lowSmallIconSize() { return QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize); }

void lowSetWindowIcon(LowWindow* window, LowIcon* icon) {
  if (window != nullptr && icon != nullptr) window->dialog->setWindowIcon(icon->icon);
}

void lowSetButtonIcon(LowWindow* window, int id, LowIcon* icon) {
  QtControl* control = qtFindControl(window, id);
  if (control == nullptr || control->kind != QtControlKind::PushButton) return;
  auto* button = static_cast<QPushButton*>(control->widget);
  // The icon stands in for the caption, at its own size or the button's room.
  control->showsIcon = icon != nullptr;
  button->setIcon(icon != nullptr ? icon->icon : QIcon());
  if (icon != nullptr) {
    const int room = std::min(button->width(), button->height()) - 4;
    const int side = std::max(8, std::min(icon->pixels, room));
    button->setIconSize(QSize(side, side));
  }
  qtShowCaption(*window, *control);
}

}  // namespace bitscope
