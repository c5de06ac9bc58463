// SPDX-License-Identifier: MIT
// Dialog windows: creation from a template, the modal loop, destruction, and
// the notices a window sends about itself.
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QWindowStateChangeEvent>

#include <algorithm>
#include <iterator>

#include "bindings/qt/qt_binding.h"
#include "dialog/winstyle.h"

namespace bitscope {
namespace {

using namespace winstyle;

std::vector<LowWindow*> liveWindows;                   // every window not yet destroyed
std::vector<QPointer<DialogWindow>> destroyedWindows;  // widgets awaiting deletion

// Show commands of the Windows platform that change how a window first appears.
constexpr int showHide = 0;
constexpr int showMinimized = 2;
constexpr int showNoActivate = 4;
constexpr int showMinimize = 6;
constexpr int showMinNoActivate = 7;
constexpr int showNa = 8;

LowEvent cancelCommand() {
  LowEvent event;
  event.kind = LowEvent::Kind::Command;
  event.controlId = 2;
  event.notify = LowNotify::Clicked;
  event.fromControl = false;
  return event;
}

// The push button Enter presses: the focused one; from anywhere else the
// template's default push button or, without one, the OK button (id 1).
const QtControl* enterTarget(LowWindow& window, const QWidget* focused) {
  if (const QtControl* control = qtFindControl(&window, focused);
      control != nullptr && control->kind == QtControlKind::PushButton)
    return control;
  const QtControl* ok = nullptr;
  for (const QtControl& control : window.controls) {
    if (control.kind != QtControlKind::PushButton) continue;
    if ((control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return &control;
    if (control.id == 1 && ok == nullptr) ok = &control;
  }
  return ok;
}

Qt::WindowFlags windowFlags(const DialogTemplate& tpl, bool owned) {
  // An owned window stays above its owner; one without an owner is an
  // application window of its own in the task bar.
  Qt::WindowFlags flags = (owned ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint;
  if ((tpl.style & WS_CAPTION) == WS_CAPTION) flags |= Qt::WindowTitleHint;
  if ((tpl.style & WS_SYSMENU) != 0) {
    flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if ((tpl.style & WS_MINIMIZEBOX) != 0) flags |= Qt::WindowMinimizeButtonHint;
  }
  return flags;
}

void placeWindow(LowWindow& window, const DialogTemplate& tpl) {
  const QSize size(window.metrics.toX(tpl.width), window.metrics.toY(tpl.height));
  window.dialog->setFixedSize(size);
  QWidget* owner = window.owner != nullptr ? window.owner->dialog : nullptr;
  const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
  if ((tpl.style & DS_CENTER) != 0) {
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    window.dialog->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
  } else {
    // The template's position is relative to the owner's client area, or to
    // the screen for a window without an owner.
    const QPoint origin = owner != nullptr ? owner->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
    window.dialog->move(origin + QPoint(window.metrics.toX(tpl.x), window.metrics.toY(tpl.y)));
  }
}

LowWindow* createWindow(const DialogTemplate& tpl, LowWindow* owner, void* userData, bool modal) {
  auto* window = new LowWindow;
  window->userData = userData;
  window->owner = owner;
  window->modal = modal;
  window->metrics = qtDialogMetrics(tpl);
  window->dialog = new DialogWindow(window, owner != nullptr ? owner->dialog : nullptr,
                                    windowFlags(tpl, owner != nullptr));
  window->dialog->setFont(window->metrics.font);
  window->dialog->setWindowTitle(toQt(tpl.caption));
  qtBuildControls(*window, tpl);
  placeWindow(*window, tpl);
  liveWindows.push_back(window);
  return window;
}

void showWithMode(QWidget& dialog, int showMode) {
  switch (showMode) {
    case showHide:
      return;
    case showMinimized:
    case showMinimize:
    case showMinNoActivate:
      dialog.showMinimized();
      return;
    default:
      dialog.show();
      if (showMode != showNoActivate && showMode != showNa) {
        dialog.raise();
        dialog.activateWindow();
      }
  }
}

// Destroy reaches the dialog layer once, after the windows the window owns
// are gone, as Windows destroys owned windows before their owner. The window
// counts as going from the start, so that their handlers cannot destroy it a
// second time.
void deliverDestroy(LowWindow* window) {
  window->destroying = true;
  std::vector<LowWindow*> owned;
  std::copy_if(liveWindows.begin(), liveWindows.end(), std::back_inserter(owned),
               [window](const LowWindow* w) { return w->owner == window; });
  for (LowWindow* child : owned) lowDestroyWindow(child);
  LowEvent event;
  event.kind = LowEvent::Kind::Destroy;
  dlgWindowEvent(window, event);
}

// Forgets the window. Its widgets are hidden now and deleted later, since a
// handler of theirs may be what asked for the destruction.
void release(LowWindow* window) {
  liveWindows.erase(std::remove(liveWindows.begin(), liveWindows.end(), window), liveWindows.end());
  for (LowWindow* other : liveWindows)
    if (other->owner == window) other->owner = nullptr;
  DialogWindow* dialog = window->dialog;
  dialog->low = nullptr;
  dialog->hide();
  destroyedWindows.emplace_back(dialog);
  delete window;
}

}  // namespace

// ---- DialogWindow -----------------------------------------------------------

DialogWindow::DialogWindow(LowWindow* window, QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), low(window) {}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
  const bool plain = event->modifiers() == Qt::NoModifier ||
                     (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
  if (!plain) {
    event->ignore();
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    qtNotify(low, cancelCommand());
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    if (low == nullptr) return;
    const QtControl* target = enterTarget(*low, focusWidget());
    if (target != nullptr && target->widget->isEnabled())
      qtNotifyCommand(low, target->id, LowNotify::Clicked);
    return;
  }
  event->ignore();
}

void DialogWindow::closeEvent(QCloseEvent* event) {
  // The window goes only when the dialog layer destroys it; the close box
  // asks for that with the cancel command, unless the program disabled it.
  event->ignore();
  if (low != nullptr && low->closeEnabled) qtNotify(low, cancelCommand());
}

void DialogWindow::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange) {
    LowEvent notice;
    notice.kind = LowEvent::Kind::Activate;
    notice.active = isActiveWindow();
    qtNotify(low, notice);
  } else if (event->type() == QEvent::WindowStateChange) {
    const bool was = (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized) != 0;
    const bool is = (windowState() & Qt::WindowMinimized) != 0;
    if (was == is) return;
    LowEvent notice;
    notice.kind = LowEvent::Kind::Size;
    notice.size = is ? LowSizeKind::Minimised : LowSizeKind::Restored;
    qtNotify(low, notice);
  }
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
  const bool in = event->type() == QEvent::FocusIn;
  if ((in || event->type() == QEvent::FocusOut) && low != nullptr &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
    // A context menu borrows the focus without the edit box losing it.
    if (const QtControl* control = qtFindControl(low, watched);
        control != nullptr && control->kind == QtControlKind::Edit)
      qtNotifyCommand(low, control->id, in ? LowNotify::FocusIn : LowNotify::FocusOut);
  }
  return QDialog::eventFilter(watched, event);
}

// ---- shared within the binding ----------------------------------------------

void qtNotify(LowWindow* window, const LowEvent& event) {
  if (window == nullptr || window->destroying) return;
  dlgWindowEvent(window, event);
}

void qtNotifyCommand(LowWindow* window, int controlId, LowNotify notify) {
  LowEvent event;
  event.kind = LowEvent::Kind::Command;
  event.controlId = controlId;
  event.notify = notify;
  qtNotify(window, event);
}

QtControl* qtFindControl(LowWindow* window, int id) {
  if (window == nullptr) return nullptr;
  for (QtControl& control : window->controls)
    if (control.id == id) return &control;
  return nullptr;
}

QtControl* qtFindControl(LowWindow* window, const QObject* widget) {
  if (window == nullptr) return nullptr;
  for (QtControl& control : window->controls)
    if (control.widget == widget) return &control;
  return nullptr;
}

void qtDeleteDestroyedWindows() {
  std::vector<QPointer<DialogWindow>> dead;
  dead.swap(destroyedWindows);
  for (const QPointer<DialogWindow>& dialog : dead) delete dialog.data();
}

// ---- dlglow.h: windows --------------------------------------------------------

LowWindow* lowCreateModeless(const DialogTemplate& tpl, LowWindow* owner, int showMode, void* userData) {
  LowWindow* window = createWindow(tpl, owner, userData, false);
  const QPointer<DialogWindow> dialog = window->dialog;
  LowEvent init;
  init.kind = LowEvent::Kind::Init;
  qtNotify(window, init);
  if (dialog == nullptr || dialog->low == nullptr) return nullptr;  // ended while starting
  showWithMode(*dialog, showMode);
  return window;
}

int lowRunModal(const DialogTemplate& tpl, LowWindow* owner, void* userData) {
  LowWindow* window = createWindow(tpl, owner, userData, true);
  const QPointer<DialogWindow> dialog = window->dialog;
  dialog->setWindowModality(owner != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
  LowEvent init;
  init.kind = LowEvent::Kind::Init;
  qtNotify(window, init);
  if (!window->modalEnded && !window->destroying) {
    QEventLoop loop;
    window->modalLoop = &loop;
    showWithMode(*dialog, 1);
    loop.exec();
    window->modalLoop = nullptr;
  }
  const int result = window->modalResult;
  dialog->hide();
  if (!window->destroying) deliverDestroy(window);
  release(window);
  delete dialog.data();  // its loop has ended, so none of its handlers is running
  return result;
}

void lowEndModal(LowWindow* window, int result) {
  if (window == nullptr || !window->modal) return;
  window->modalResult = result;
  window->modalEnded = true;
  if (window->modalLoop != nullptr) window->modalLoop->quit();
}

void lowDestroyWindow(LowWindow* window) {
  // A destruction already under way (the layer's Destroy handler asking
  // again) finishes by itself.
  if (window == nullptr || window->destroying) return;
  deliverDestroy(window);
  if (window->modal) {
    // The modal run that made the window releases it when its loop ends.
    window->modalEnded = true;
    if (window->modalLoop != nullptr) window->modalLoop->quit();
    return;
  }
  release(window);
}

void* lowGetUserData(LowWindow* window) { return window != nullptr ? window->userData : nullptr; }

void lowSetTitle(LowWindow* window, const std::string& title) {
  if (window != nullptr) window->dialog->setWindowTitle(toQt(title));
}

void lowEnableCloseItem(LowWindow* window, bool enabled) {
  if (window != nullptr) window->closeEnabled = enabled;
}

}  // namespace bitscope
