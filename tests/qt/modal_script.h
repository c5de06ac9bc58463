// SPDX-License-Identifier: MIT
// Answers the modal windows a test opens, as a user would: one step per
// window, in order.
//
// A loaded machine reorders things a user never notices: a window is shown
// before the window system has exposed and activated it, and an action on a
// window that is not ready yet may simply not take. So a step acts only on a
// window that is shown, exposed, active and ready for it; a window still in
// front after its action returned did not take the action, and gets it again.
// A script that makes no progress for a long time (a step waiting for a
// window that never comes, or a window no step expects) closes every modal
// window and fails the test, instead of hanging it until the test runner
// kills it. That bound only stops a hang; nothing here measures speed.
#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <cstddef>
#include <functional>
#include <vector>

namespace bitscope::test {

// Whether a window is shown, exposed and active, ready for a user's input.
// A shown but inactive window is clicked into (activated), as a user would.
bool windowInFront(QWidget* window);

struct ModalStep {
  QString what;                           // names the step in a failure, e.g. "the file chooser"
  std::function<bool(QWidget*)> expects;  // is this the step's window?
  std::function<bool(QWidget*)> ready;    // are its widgets ready for the action? (empty: yes)
  std::function<void(QWidget*)> act;      // may open the next modal window and wait there
};

class ModalScript {
 public:
  explicit ModalScript(std::vector<ModalStep> steps);
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;
  ~ModalScript() = default;

  bool finished() const { return next_ == steps_.size(); }

 private:
  void poll();
  void run(std::size_t step, const QPointer<QWidget>& window);
  bool ready(std::size_t step, QWidget* window) const;
  bool running(const QWidget* window) const;
  void giveUp(const QWidget* top);

  std::vector<ModalStep> steps_;
  std::size_t next_ = 0;                    // the first step that has not acted yet
  bool scheduled_ = false;                  // an action waits for its turn of the event loop
  std::vector<QPointer<QWidget>> running_;  // windows whose action has not returned (nested windows)
  QPointer<QWidget> leftInFront_;           // a window its action left shown: the action did not take
  std::size_t leftInFrontStep_ = 0;
  QElapsedTimer sinceProgress_;
  bool gaveUp_ = false;
  QTimer poll_;
};

// ---- Steps for the windows of the platform services ----------------------------

bool isChooser(QWidget* top);
bool isMessageBox(QWidget* top);
// The chooser's name box, ready for typing.
bool canTypeAName(QWidget* chooser);
// Types name into the chooser and presses its accept button; optionally notes
// the filters it offers and the one selected.
ModalStep chooseName(const QString& name, QStringList* filtersSeen = nullptr, QString* filterSeen = nullptr);
// Presses a standard button of a message box, noting its text first.
ModalStep answer(QMessageBox::StandardButton button, QString* text = nullptr);

}  // namespace bitscope::test
