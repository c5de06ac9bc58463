// SPDX-License-Identifier: MIT
#include "tests/qt/modal_script.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>

#include <algorithm>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "bindings/qt/qt_binding.h"

namespace bitscope::test {
namespace {

// Far beyond what showing and answering a window takes on a loaded machine,
// even under the sanitizers.
constexpr qint64 noProgressLimitMs = 30'000;
constexpr int pollMs = 5;
constexpr int cancelId = 2;

// Ends every modal run still going, shown or not, so that the code under test
// returns and the test can report.
void closeModalWindows() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* own = dynamic_cast<DialogWindow*>(widget)) {
      if (own->low != nullptr && own->low->modal) lowEndModal(own->low, cancelId);
    } else if (auto* dialog = qobject_cast<QDialog*>(widget);
               dialog != nullptr && dialog->testAttribute(Qt::WA_ShowModal)) {
      dialog->reject();
    } else if (widget->isVisible() && widget->isModal()) {
      widget->close();
    }
  }
}

std::string describe(const QWidget* window) {
  if (window == nullptr) return "no modal window";
  return QStringLiteral("%1 \"%2\"")
      .arg(QString::fromLatin1(window->metaObject()->className()), window->windowTitle())
      .toStdString();
}

}  // namespace

// Shown is not enough: until the window system has exposed and activated the
// window, focus and input are still on their way to it. A window that stays
// inactive (one that was covered by a message box, where no window manager
// hands the activation back) is clicked into, as a user would.
bool windowInFront(QWidget* window) {
  if (!window->isVisible() || window->windowHandle() == nullptr || !window->windowHandle()->isExposed())
    return false;
  if (QApplication::activeWindow() == window) return true;
  window->activateWindow();
  return false;
}

ModalScript::ModalScript(std::vector<ModalStep> steps) : steps_(std::move(steps)) {
  QObject::connect(&poll_, &QTimer::timeout, [this] { poll(); });
  sinceProgress_.start();
  poll_.start(pollMs);
}

void ModalScript::poll() {
  if (gaveUp_) {
    closeModalWindows();
    return;
  }
  QWidget* top = QApplication::activeModalWidget();
  if ((!finished() || top != nullptr) && sinceProgress_.elapsed() > noProgressLimitMs) {
    giveUp(top);
    return;
  }
  if (scheduled_ || top == nullptr || running(top)) return;
  std::size_t step = 0;
  if (!finished() && steps_[next_].expects(top))
    step = next_;
  else if (top == leftInFront_)
    step = leftInFrontStep_;  // act again
  else
    return;
  if (!ready(step, top)) return;
  // The action runs on its own turn of the event loop, since it may open the
  // next modal window and wait there.
  scheduled_ = true;
  QTimer::singleShot(0, &poll_, [this, step, window = QPointer<QWidget>(top)] { run(step, window); });
}

void ModalScript::run(std::size_t step, const QPointer<QWidget>& window) {
  scheduled_ = false;
  // Gone or covered since the poll saw it: the next poll looks again.
  if (gaveUp_ || window.isNull() || QApplication::activeModalWidget() != window || !ready(step, window))
    return;
  if (step == next_) {
    ++next_;
    sinceProgress_.restart();
  }
  leftInFront_ = nullptr;
  running_.push_back(window);
  steps_[step].act(window);
  running_.pop_back();  // actions nest: a window opened inside this one has returned first
  // Accepting, rejecting or clicking a button hides the window at once, so a
  // window still shown now ignored the action, unless the next step expects it.
  if (!window.isNull() && window->isVisible()) {
    leftInFront_ = window;
    leftInFrontStep_ = step;
  }
}

bool ModalScript::ready(std::size_t step, QWidget* window) const {
  return windowInFront(window) && (!steps_[step].ready || steps_[step].ready(window));
}

bool ModalScript::running(const QWidget* window) const {
  return std::any_of(running_.begin(), running_.end(),
                     [window](const QPointer<QWidget>& w) { return w.data() == window; });
}

void ModalScript::giveUp(const QWidget* top) {
  gaveUp_ = true;
  const std::string waitingFor = finished() ? std::string("no further window")
                                            : QStringLiteral("step %1 of %2, %3")
                                                  .arg(next_ + 1)
                                                  .arg(steps_.size())
                                                  .arg(steps_[next_].what)
                                                  .toStdString();
  ADD_FAILURE() << "The modal windows made no progress for " << noProgressLimitMs / 1000
                << " s: the script waits for " << waitingFor << ", and in front is " << describe(top)
                << ". Every modal window is closed, so that the test can end.";
  closeModalWindows();
}

bool isChooser(QWidget* top) { return qobject_cast<QFileDialog*>(top) != nullptr; }
bool isMessageBox(QWidget* top) { return qobject_cast<QMessageBox*>(top) != nullptr; }

namespace {
QLineEdit* nameBox(QWidget* chooser) {
  return chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}
}  // namespace

bool canTypeAName(QWidget* chooser) {
  const QLineEdit* name = nameBox(chooser);
  return name != nullptr && name->isVisible() && name->isEnabled();
}

ModalStep chooseName(const QString& name, QStringList* filtersSeen, QString* filterSeen) {
  return {QStringLiteral("the file chooser, to choose \"%1\"").arg(name), isChooser, canTypeAName,
          [=](QWidget* top) {
            auto* chooser = static_cast<QFileDialog*>(top);
            if (filtersSeen != nullptr) *filtersSeen = chooser->nameFilters();
            if (filterSeen != nullptr) *filterSeen = chooser->selectedNameFilter();
            // Typed into the name box, then the Save button.
            nameBox(chooser)->setText(name);
            static_cast<QDialog*>(chooser)->accept();
          }};
}

ModalStep answer(QMessageBox::StandardButton button, QString* text) {
  return {
      QStringLiteral("a message box, to press its standard button 0x%1").arg(static_cast<int>(button), 0, 16),
      isMessageBox,
      [button](QWidget* top) {
        const QAbstractButton* choice = static_cast<QMessageBox*>(top)->button(button);
        return choice != nullptr && choice->isVisible() && choice->isEnabled();
      },
      [=](QWidget* top) {
        auto* box = static_cast<QMessageBox*>(top);
        if (text != nullptr) *text = box->text();
        box->button(button)->click();
      }};
}

}  // namespace bitscope::test
