// SPDX-License-Identifier: MIT
// Private to the Qt binding: the records behind the opaque handles of
// dlglow.h and the routines the binding's files share.
#pragma once

#include <QDialog>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QString>
#include <QStyleOptionGroupBox>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "dialog/dlglow.h"

class QEventLoop;

namespace bitscope {

enum class QtControlKind { Label, Icon, GroupBox, PushButton, CheckBox, RadioButton, Edit, List, Other };

struct QtControl {
  int id = 0;
  QtControlKind kind = QtControlKind::Other;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  QWidget* widget = nullptr;
  // The caption as the program gave it (Windows-1252). A push button may show
  // an icon or a word-wrapped copy instead, but its text stays the caption.
  std::string caption;
  bool showsIcon = false;
  AccessibleText accessible;  // what the program gave lowSetAccessibleText
  ToolTipSource toolTip;      // what the program gave lowSetToolTip
  bool hasToolTipFilter = false;
};

// The dialog font and its base units: one horizontal dialog unit is a quarter
// of the font's average character width, one vertical unit an eighth of its
// height, so a window keeps its template's proportions at any font size.
struct DialogMetrics {
  QFont font;
  int baseX = 4;
  int baseY = 8;
  int toX(int units) const;
  int toY(int units) const;
};

class DialogWindow;

struct LowWindow {
  DialogWindow* dialog = nullptr;
  void* userData = nullptr;
  LowWindow* owner = nullptr;
  bool modal = false;
  bool closeEnabled = true;
  bool destroying = false;  // Destroy is delivered or under way: no further notices
  bool modalEnded = false;
  int modalResult = 0;
  QEventLoop* modalLoop = nullptr;
  DialogMetrics metrics;
  std::vector<QtControl> controls;  // template order
};

struct LowIcon {
  QIcon icon;
  int pixels = 32;
};

// The on-screen window. Turns the keys and window-manager requests that a
// dialog answers by itself into the notices the dialog layer expects.
class DialogWindow final : public QDialog {
 public:
  DialogWindow(LowWindow* low, QWidget* parent, Qt::WindowFlags flags);
  LowWindow* low;  // null once the window has been destroyed

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// ---- qt_text.cpp ------------------------------------------------------------
QString toQt(const std::string& cp1252);
std::string fromQt(const QString& text);
// Index conversions between UTF-16 positions and character positions, which
// differ only when the text holds characters outside the basic plane.
int toCharIndex(const QString& text, int utf16Index);
int toUtf16Index(const QString& text, int charIndex);
QString withoutMnemonics(const QString& caption);  // "&Save" -> "Save", "&&" -> "&"
// File names between Qt and the file system's own bytes, unchanged both ways.
QString qtPath(const std::filesystem::path& path);
std::filesystem::path fileSystemPath(const QString& path);

// ---- qt_window.cpp ----------------------------------------------------------
// Delivers a notice to the dialog layer unless the window is going away.
void qtNotify(LowWindow* window, const LowEvent& event);
void qtNotifyCommand(LowWindow* window, int controlId, LowNotify notify);
QtControl* qtFindControl(LowWindow* window, int id);
QtControl* qtFindControl(LowWindow* window, const QObject* widget);
// Deletes the widgets of destroyed windows; called where no handler of theirs
// can be on the stack.
void qtDeleteDestroyedWindows();

// ---- qt_controls.cpp --------------------------------------------------------
void qtBuildControls(LowWindow& window, const DialogTemplate& tpl);
void qtShowCaption(LowWindow& window, QtControl& control);  // caption -> widget, fitted
// The accessible name and description: the program's, else the caption as
// shown; an edit box's description tells where its caret is.
void qtShowAccessibleText(QtControl& control);
// The program's write into an edit box: shown, fitted, and notified like an edit.
void qtSetEditText(LowWindow& window, QtControl& control, const std::string& text);

// ---- qt_group_box.cpp -------------------------------------------------------
// A group box that paints its caption itself, so that a new caption repaints
// only the strip it takes. QGroupBox::setTitle repaints the whole frame, and
// with it every control the frame surrounds: a relabel of the window (the
// language switch) became a repaint of all of it.
class DialogGroupBox final : public QGroupBox {
 public:
  explicit DialogGroupBox(QWidget* parent) : QGroupBox(parent) {}
  void setCaption(const QString& caption);
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QStyleOptionGroupBox optionShowing(const QString& caption) const;
  QString caption_;
};

// ---- qt_fit.cpp -------------------------------------------------------------
DialogMetrics qtDialogMetrics(const DialogTemplate& tpl);
// The largest metrics, at most the dialog font's, with which the text shows
// whole: an edit box's text without scrolling, a caption without clipping.
void qtFitEditText(QWidget* edit, const DialogMetrics& metrics);
void qtFitCaption(QtControl& control, const DialogMetrics& metrics);

// ---- qt_identity.cpp --------------------------------------------------------
// Names the program to Qt and to the desktop: its name, and the id of its
// launcher entry (the entry's file name without ".desktop").
void qtSetApplicationIdentity();

// ---- qt_services.cpp --------------------------------------------------------
QIcon qtIconForResource(int resourceId);

}  // namespace bitscope
