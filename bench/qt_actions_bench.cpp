// SPDX-License-Identifier: MIT
// The cost of each user action on the main window through the real Qt binding, per format:
// the desktop program started on the offscreen platform, then each action repeated, every
// repetition timed from the input event to the end of the repaint it caused (the widgets
// updated and the window's dirty region painted). Prints the median and the 99th percentile.
// The same actions over the simulated window system (ui_actions_bench) give the program's own
// share; the difference is the binding's and Qt's.
//   QT_QPA_PLATFORM=offscreen ./qt_actions_bench [repetitions] [name filter]
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bindings/qt/qt_binding.h"
#include "dialog/dlglow.h"
#include "mainwin/program.h"
#include "state/control_ids.h"

namespace {

using namespace bitscope;
using Clock = std::chrono::steady_clock;

struct Format {
  const char* name;
  int radio;
  int exponentBox;
  int significandBox;  // Binary128: the box of bits 49 to 112
  const char* x;       // a value with every digit the format holds
};

const Format formats[] = {
    {"Binary32", ctl::binary32Radio, ctl::exponent32, ctl::significand32, "-1.2345678E-30"},
    {"Binary64", ctl::binary64Radio, ctl::exponent64, ctl::significand64, "-1.2345678901234567D-300"},
    {"Binary128", ctl::binary128Radio, ctl::exponent128, ctl::significand128Low,
     "-1.234567890123456789012345678901234D-4000"},
};

DialogWindow* mainWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* dialog = dynamic_cast<DialogWindow*>(w);
        dialog != nullptr && dialog->isVisible() && dialog->low)
      return dialog;
  return nullptr;
}

// Counts the widgets painted, to show that every timed action reached the screen.
class PaintCounter : public QObject {
 public:
  long paints = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
};

class Bench {
 public:
  Bench(DialogWindow* window, int repetitions, std::string filter)
      : window_(window), repetitions_(repetitions), filter_(std::move(filter)) {}

  void runAll() {
    qApp->installEventFilter(&painted_);
    std::printf("%-32s %10s %10s %8s\n", "action", "median us", "p99 us", "painted");
    for (const Format& format : formats) {
      prepare(format);
      const int digit = static_cast<int>(std::string(format.x).find_first_of("ED")) - 1;
      char key = '1';
      measure(format, "XKeystroke", [&] {
        edit(ctl::xEntry)->setSelection(digit, 1);
        QTest::keyClick(edit(ctl::xEntry), key);
        key = key == '9' ? '1' : static_cast<char>(key + 1);
      });
      prepare(format);
      char bit = '0';
      measure(format, "BitBoxEdit", [&] {
        edit(format.significandBox)->setSelection(10, 1);
        QTest::keyClick(edit(format.significandBox), bit);
        bit = bit == '0' ? '1' : '0';
      });
      bool exponent = true;
      measure(format, "BitBoxClick", [&] {
        QTest::mouseClick(edit(exponent ? format.exponentBox : format.significandBox), Qt::LeftButton);
        exponent = !exponent;
      });
      for (const int scope : {ctl::currentFieldRadio, ctl::allFieldsRadio}) {
        button(scope)->click();
        QTest::mouseClick(edit(format.significandBox), Qt::LeftButton);
        for (const int fill : {ctl::fillZeros, ctl::fillOnes, ctl::invertBits}) {
          const std::string name = std::string(fill == ctl::fillZeros  ? "FillZeros"
                                               : fill == ctl::fillOnes ? "FillOnes"
                                                                       : "Invert") +
                                   (scope == ctl::allFieldsRadio ? "/all" : "/field");
          measure(format, name, [&] { button(fill)->click(); });
        }
      }
      prepare(format);
      for (int item = 0; item < 7; ++item) {
        measure(format, "ListItem/" + std::to_string(item), [&] {
          list()->setCurrentRow(-1);
          list()->setCurrentRow(item);
        });
      }
      bool english = true;
      measure(format, "LanguageSwitch", [&] {
        button(english ? ctl::englishRadio : ctl::romanianRadio)->click();
        english = !english;
      });
      // The floor of any action that changes most of the window: the whole window repainted,
      // nothing else done.
      measure(format, "WholeWindowRepaint", [&] { window_->update(); });
      const int other = format.radio == ctl::binary32Radio ? ctl::binary64Radio : ctl::binary32Radio;
      measure(
          format, "FormatSwitch", [&] { button(format.radio)->click(); }, [&] { button(other)->click(); });
    }
  }

 private:
  QWidget* widget(int id) const {
    for (const QtControl& control : window_->low->controls)
      if (control.id == id) return control.widget;
    std::fprintf(stderr, "no control %d\n", id);
    std::exit(EXIT_FAILURE);
  }
  QLineEdit* edit(int id) const { return static_cast<QLineEdit*>(widget(id)); }
  QAbstractButton* button(int id) const { return static_cast<QAbstractButton*>(widget(id)); }
  QListWidget* list() const { return static_cast<QListWidget*>(widget(ctl::parameterList)); }

  // The format chosen, its X typed and decoded from the boxes, as a user would.
  // Focus leaves X first, as a user's click does, so that the click into the bit box below is
  // a focus change that decodes the boxes.
  void prepare(const Format& format) {
    button(format.radio)->click();
    // Pasted whole: typed key by key, its unfinished texts would be refused one by one.
    QApplication::clipboard()->setText(QString::fromLatin1(format.x));
    QTest::mouseClick(edit(ctl::xEntry), Qt::LeftButton);
    edit(ctl::xEntry)->selectAll();
    QTest::keyClick(edit(ctl::xEntry), Qt::Key_V, Qt::ControlModifier);

    QTest::mouseClick(edit(format.significandBox), Qt::LeftButton);
    settle();
    if (!list()->isEnabled()) {
      std::fprintf(stderr, "%s: the value %s was refused\n", format.name, format.x);
      std::exit(EXIT_FAILURE);
    }
  }

  // Delivers what the action posted and paints what it dirtied, as the next frame would.
  static void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    QCoreApplication::processEvents();
  }

  void measure(const Format& format, const std::string& action, const std::function<void()>& act,
               const std::function<void()>& untimed = {}) {
    const std::string name = action + "/" + format.name;
    if (name.find(filter_) == std::string::npos) return;
    const long paintsBefore = painted_.paints;
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(repetitions_));
    for (int i = 0; i < repetitions_ + repetitions_ / 10; ++i) {
      if (untimed) {
        untimed();
        settle();
      }
      const auto start = Clock::now();
      act();
      settle();
      const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
      if (i >= repetitions_ / 10) micros.push_back(us);  // the first tenth warms caches up
    }
    std::sort(micros.begin(), micros.end());
    const auto at = [&](double q) {
      return micros[static_cast<std::size_t>(q * static_cast<double>(micros.size() - 1))];
    };
    const int runs = repetitions_ + repetitions_ / 10;
    std::printf("%-32s %10.1f %10.1f %8.1f\n", name.c_str(), at(0.5), at(0.99),
                static_cast<double>(painted_.paints - paintsBefore) / runs);
  }

  DialogWindow* window_;
  PaintCounter painted_;
  int repetitions_;
  std::string filter_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  const QStringList args = QApplication::arguments();
  const int repetitions = args.size() > 1 ? std::max(10, args[1].toInt()) : 300;
  const std::string filter = args.size() > 2 ? args[2].toStdString() : "";
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    // Focus moves, and so bit boxes decode, only in the active window.
    DialogWindow* window = mainWindow();
    if (window == nullptr || window->windowHandle() == nullptr || !window->windowHandle()->isExposed())
      return;
    if (QApplication::activeWindow() != window) {
      window->activateWindow();
      return;
    }
    poll.stop();
    Bench(window, repetitions, filter).runAll();
    lowPostQuitMessage(0);
  });
  poll.start(10);
  const int exitCode = programMain(1);
  qtDeleteDestroyedWindows();
  return exitCode;
}
