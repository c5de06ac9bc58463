// SPDX-License-Identifier: MIT
// The controls of a window, built from its template's items in template order,
// so that the keyboard focus chain and the accessibility tree follow the
// template, and later items are stacked above earlier ones.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyleFactory>

#include <algorithm>
#include <map>
#include <set>

#include "bindings/qt/qt_binding.h"
#include "dialog/winstyle.h"

namespace bitscope {
namespace {

using namespace winstyle;

// An edit box that takes digits only refuses a typed character that is not a
// digit, as the native control does: a key press that would insert text, or
// text an input method commits (a composed character, an on-screen keyboard).
// A paste (by key or menu), a drop or an assistive technology's edit brings its
// text in whole, so that the program's repair rules for the box see it and say
// what they did; the program's own writes (blanks, words) are never filtered.
class TypedDigitsOnly final : public QObject {
 public:
  explicit TypedDigitsOnly(QLineEdit* edit) : QObject(edit) {
    edit->setInputMethodHints(edit->inputMethodHints() | Qt::ImhDigitsOnly);
    edit->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<const QKeyEvent*>(event);
      if (insertsText(*key) && !digitsOnly(key->text())) {
        QApplication::beep();
        return true;
      }
    } else if (event->type() == QEvent::InputMethod) {
      // The composition goes on; only text it commits is refused.
      auto* input = static_cast<QInputMethodEvent*>(event);
      if (!digitsOnly(input->commitString())) {
        QApplication::beep();
        input->setCommitString(QString());
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  static bool digitsOnly(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
  }

  // Whether a line edit takes the key press as typed text: it brings text, is no
  // command (Ctrl or Ctrl+Shift with a key, the paste keys) and its first
  // character is one a line edit inserts.
  static bool insertsText(const QKeyEvent& key) {
    const QString text = key.text();
    if (text.isEmpty() || key.matches(QKeySequence::Paste)) return false;
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
      return false;
    const QChar first = text.front();
    return first.isPrint() || first.isHighSurrogate() || first.category() == QChar::Other_Format ||
           first.category() == QChar::Other_PrivateUse;
  }
};

// A radio group as the Windows dialog manager runs it: the arrow keys move
// through the group in template order, round its end, skipping buttons that
// are disabled or hidden, and check the radio they reach (with its click
// notice); Tab leaves the group. Qt would move by screen position, stop at the
// group's edge, and check nothing when starting from an unchecked radio.
class RadioArrowKeys final : public QObject {
 public:
  explicit RadioArrowKeys(QAbstractButton* radio) : QObject(radio) { radio->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    int step = 0;
    switch (key->key()) {
      case Qt::Key_Up:
      case Qt::Key_Left:
        step = -1;
        break;
      case Qt::Key_Down:
      case Qt::Key_Right:
        step = 1;
        break;
      default:
        return false;
    }
    auto* radio = static_cast<QAbstractButton*>(watched);
    if (radio->group() == nullptr) return false;
    const QList<QAbstractButton*> members = radio->group()->buttons();
    const auto count = static_cast<int>(members.size());
    const auto at = static_cast<int>(members.indexOf(radio));
    for (int i = 1; i < count; ++i) {
      QAbstractButton* next = members[((at + step * i) % count + count) % count];
      if (!next->isEnabled() || next->isHidden()) continue;
      next->setFocus(step < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
      next->click();
      break;
    }
    return true;
  }
};

// Tab enters a radio group at its checked button, as on Windows, so the group
// is one stop of the tab order however its marks change. Groups that the
// template leaves out of the tab order stay out.
void keepTabStopOnCheckedRadio(QButtonGroup* group) {
  const QList<QAbstractButton*> members = group->buttons();
  if (members.isEmpty()) return;
  QAbstractButton* stop = members.front();
  for (QAbstractButton* member : members)
    if (member->isChecked()) {
      stop = member;
      break;
    }
  for (QAbstractButton* member : members)
    member->setFocusPolicy(member == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

// Windows leaves a few pixels between a check mark and its caption; Qt's
// styles leave more, which the templates' tight check boxes and radio buttons
// cannot spare.
class DialogStyle final : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if ((metric == PM_CheckBoxLabelSpacing || metric == PM_RadioButtonLabelSpacing) && widget != nullptr)
      return std::max(2, QFontMetrics(widget->font()).averageCharWidth() / 2);
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

QStyle* dialogStyle() {
  static const QPointer<DialogStyle> style = new DialogStyle(QApplication::style()->name());
  return style;
}

// A Windows group box runs its frame through the middle of its title, so the
// controls a template places just below the title stay clear of the frame;
// Qt's Windows style draws it so, where others put the title above the frame.
QStyle* groupBoxStyle() {
  static const QPointer<QStyle> style = QStyleFactory::create(QStringLiteral("Windows"));
  return style != nullptr ? style.data() : QApplication::style();
}

QtControlKind kindOf(const TemplateItem& item) {
  switch (item.controlClass) {
    case ControlClass::Button:
      switch (item.style & BS_TYPEMASK) {
        case BS_GROUPBOX:
          return QtControlKind::GroupBox;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
          return QtControlKind::CheckBox;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
          return QtControlKind::RadioButton;
        default:
          return QtControlKind::PushButton;
      }
    case ControlClass::Edit:
      return QtControlKind::Edit;
    case ControlClass::Static:
      return (item.style & SS_TYPEMASK) == SS_ICON ? QtControlKind::Icon : QtControlKind::Label;
    case ControlClass::ListBox:
      return QtControlKind::List;
    case ControlClass::ScrollBar:
    case ControlClass::ComboBox:
    case ControlClass::Named:
      break;
  }
  return QtControlKind::Other;
}

// Notices go through the window's current record, which is gone once the
// window is destroyed; the widgets may outlive it by a moment.
auto commandNotice(DialogWindow* dialog, int id, LowNotify notify) {
  return [window = QPointer<DialogWindow>(dialog), id, notify] {
    if (window) qtNotifyCommand(window->low, id, notify);
  };
}

QWidget* makeEdit(DialogWindow* dialog, const TemplateItem& item) {
  auto* edit = new QLineEdit(dialog);
  edit->setFrame((item.style & WS_BORDER) != 0 ||
                 (item.exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) != 0);
  const std::uint32_t align = item.style & (ES_CENTER | ES_RIGHT);
  edit->setAlignment((align == ES_CENTER  ? Qt::AlignHCenter
                      : align == ES_RIGHT ? Qt::AlignRight
                                          : Qt::AlignLeft) |
                     Qt::AlignVCenter);
  edit->setReadOnly((item.style & ES_READONLY) != 0);
  if ((item.style & ES_PASSWORD) != 0) edit->setEchoMode(QLineEdit::Password);
  edit->setText(toQt(item.title));
  if ((item.style & ES_NUMBER) != 0) new TypedDigitsOnly(edit);
  // Every change of the content is one notice, whoever made it: a keystroke,
  // a paste, a cut, an undo, an assistive technology. The dialog layer drops
  // the ones its own writes cause.
  QObject::connect(edit, &QLineEdit::textChanged, dialog, [dialog, id = item.id] {
    commandNotice(dialog, id, LowNotify::EditUpdate)();
    commandNotice(dialog, id, LowNotify::EditChange)();
  });
  edit->installEventFilter(dialog);  // focus notices
  // A bit box tells a screen reader which bit the caret is at, wherever the
  // caret moves and whatever the text becomes.
  const auto describe = [window = QPointer<DialogWindow>(dialog), id = item.id] {
    if (window == nullptr) return;
    if (QtControl* control = qtFindControl(window->low, id)) qtShowAccessibleText(*control);
  };
  QObject::connect(edit, &QLineEdit::cursorPositionChanged, dialog, describe);
  QObject::connect(edit, &QLineEdit::textChanged, dialog, describe);
  return edit;
}

QWidget* makeLabel(DialogWindow* dialog, const TemplateItem& item) {
  auto* label = new QLabel(dialog);
  label->setTextFormat(Qt::PlainText);
  const std::uint32_t type = item.style & SS_TYPEMASK;
  label->setWordWrap(type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE);
  label->setAlignment((type == SS_CENTER  ? Qt::AlignHCenter
                       : type == SS_RIGHT ? Qt::AlignRight
                                          : Qt::AlignLeft) |
                      Qt::AlignTop);
  label->setIndent(0);
  if ((item.style & SS_SUNKEN) != 0 || (item.exStyle & WS_EX_STATICEDGE) != 0)
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  else if ((item.style & WS_BORDER) != 0)
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
  return label;
}

QWidget* makeIcon(DialogWindow* dialog, const TemplateItem& item, const DialogMetrics& metrics) {
  auto* label = new QLabel(dialog);
  label->setAlignment(Qt::AlignCenter);
  const QIcon icon = item.titleIsResource ? qtIconForResource(item.resourceNumber) : QIcon();
  if (!icon.isNull()) {
    const int side = std::min(metrics.toX(item.width), metrics.toY(item.height));
    label->setPixmap(icon.pixmap(QSize(side, side), dialog->devicePixelRatioF()));
  }
  return label;
}

QWidget* makeButton(DialogWindow* dialog, const TemplateItem& item, QtControlKind kind) {
  QAbstractButton* button = nullptr;
  switch (kind) {
    case QtControlKind::CheckBox: {
      auto* check = new QCheckBox(dialog);
      const std::uint32_t type = item.style & BS_TYPEMASK;
      check->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
      button = check;
      button->setStyle(dialogStyle());
      break;
    }
    case QtControlKind::RadioButton:
      button = new QRadioButton(dialog);
      button->setStyle(dialogStyle());
      break;
    default: {
      auto* push = new QPushButton(dialog);
      // Only the template's default button is one. Qt would otherwise make
      // the first push button the default of a window that has none, and show
      // it so, although Enter does not press it there.
      const bool isDefault = (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
      push->setAutoDefault(isDefault);
      push->setDefault(isDefault);
      // BS_FLAT asks for a two-dimensional button with a thin border, which is
      // how Qt's styles draw every push button; Qt's own "flat" button has no
      // border at all and would not look like a button.
      button = push;
      break;
    }
  }
  // Clicks by mouse, by the space bar, by a mnemonic or by an arrow key within
  // a radio group; never a check mark the program sets.
  QObject::connect(button, &QAbstractButton::clicked, dialog,
                   commandNotice(dialog, item.id, LowNotify::Clicked));
  return button;
}

QWidget* makeList(DialogWindow* dialog, const TemplateItem& item) {
  auto* list = new QListWidget(dialog);
  list->setSelectionMode((item.style & LBS_EXTENDEDSEL) != 0   ? QAbstractItemView::ExtendedSelection
                         : (item.style & LBS_MULTIPLESEL) != 0 ? QAbstractItemView::MultiSelection
                                                               : QAbstractItemView::SingleSelection);
  list->setVerticalScrollBarPolicy((item.style & WS_VSCROLL) == 0            ? Qt::ScrollBarAlwaysOff
                                   : (item.style & LBS_DISABLENOSCROLL) != 0 ? Qt::ScrollBarAlwaysOn
                                                                             : Qt::ScrollBarAsNeeded);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  if ((item.style & WS_BORDER) == 0 && (item.exStyle & WS_EX_CLIENTEDGE) == 0)
    list->setFrameShape(QFrame::NoFrame);
  if ((item.style & LBS_NOTIFY) != 0) {
    // The program's own selections and resets run with signals blocked, so
    // these are the user's.
    QObject::connect(list, &QListWidget::itemSelectionChanged, dialog,
                     commandNotice(dialog, item.id, LowNotify::ListSelChange));
    QObject::connect(list, &QListWidget::itemDoubleClicked, dialog,
                     commandNotice(dialog, item.id, LowNotify::ListDblClick));
  }
  return list;
}

QWidget* makeWidget(DialogWindow* dialog, const TemplateItem& item, QtControlKind kind,
                    const DialogMetrics& metrics) {
  switch (kind) {
    case QtControlKind::Label:
      return makeLabel(dialog, item);
    case QtControlKind::Icon:
      return makeIcon(dialog, item, metrics);
    case QtControlKind::GroupBox: {
      auto* box = new DialogGroupBox(dialog);
      box->setStyle(groupBoxStyle());
      return box;
    }
    case QtControlKind::PushButton:
    case QtControlKind::CheckBox:
    case QtControlKind::RadioButton:
      return makeButton(dialog, item, kind);
    case QtControlKind::Edit:
      return makeEdit(dialog, item);
    case QtControlKind::List:
      return makeList(dialog, item);
    case QtControlKind::Other:
      break;
  }
  return new QWidget(dialog);
}

bool takesFocus(QtControlKind kind) {
  return kind == QtControlKind::PushButton || kind == QtControlKind::CheckBox ||
         kind == QtControlKind::RadioButton || kind == QtControlKind::Edit || kind == QtControlKind::List;
}

// A label's mnemonic moves the focus to the next control that takes it, as in
// a Windows dialog.
void attachBuddies(LowWindow& window) {
  for (std::size_t i = 0; i < window.controls.size(); ++i) {
    QtControl& control = window.controls[i];
    if (control.kind != QtControlKind::Label || (control.style & SS_NOPREFIX) != 0) continue;
    for (std::size_t j = i + 1; j < window.controls.size(); ++j) {
      if (takesFocus(window.controls[j].kind)) {
        static_cast<QLabel*>(control.widget)->setBuddy(window.controls[j].widget);
        break;
      }
    }
  }
}

}  // namespace

void qtBuildControls(LowWindow& window, const DialogTemplate& tpl) {
  DialogWindow* dialog = window.dialog;
  // Radio buttons form one group from an item with WS_GROUP up to the next
  // such item; each group is exclusive on its own.
  std::map<int, QButtonGroup*> radioGroups;
  std::set<QButtonGroup*> tabbedGroups;  // groups with a tab stop
  int group = 0;
  window.controls.reserve(tpl.items.size());
  for (const TemplateItem& item : tpl.items) {
    if ((item.style & WS_GROUP) != 0) ++group;
    QtControl control;
    control.id = item.id;
    control.kind = kindOf(item);
    control.style = item.style;
    control.exStyle = item.exStyle;
    // An edit box's title is its first content, not a caption.
    if (control.kind != QtControlKind::Edit && !item.titleIsResource) control.caption = item.title;
    control.widget = makeWidget(dialog, item, control.kind, window.metrics);
    QWidget* widget = control.widget;
    widget->setGeometry(window.metrics.toX(item.x), window.metrics.toY(item.y),
                        window.metrics.toX(item.width), window.metrics.toY(item.height));
    // Frames and labels never take a click: a group box listed after its radio
    // buttons lies above them and would otherwise swallow their clicks.
    if (control.kind == QtControlKind::Label || control.kind == QtControlKind::Icon ||
        control.kind == QtControlKind::GroupBox)
      widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (takesFocus(control.kind) && (item.style & WS_TABSTOP) == 0) widget->setFocusPolicy(Qt::ClickFocus);
    if (control.kind == QtControlKind::RadioButton) {
      QButtonGroup*& buttons = radioGroups[group];
      if (buttons == nullptr) buttons = new QButtonGroup(dialog);
      buttons->addButton(static_cast<QAbstractButton*>(widget));
      new RadioArrowKeys(static_cast<QAbstractButton*>(widget));
      if ((item.style & WS_TABSTOP) != 0) tabbedGroups.insert(buttons);
    }
    widget->setHidden((item.style & WS_VISIBLE) == 0);
    widget->setEnabled((item.style & WS_DISABLED) == 0);
    window.controls.push_back(std::move(control));
  }
  for (QButtonGroup* buttons : tabbedGroups) {
    keepTabStopOnCheckedRadio(buttons);
    QObject::connect(buttons, &QButtonGroup::buttonToggled, buttons,
                     [buttons] { keepTabStopOnCheckedRadio(buttons); });
  }
  attachBuddies(window);
  for (QtControl& control : window.controls) qtShowCaption(window, control);
}

void qtShowCaption(LowWindow& window, QtControl& control) {
  qtShowAccessibleText(control);
  qtFitCaption(control, window.metrics);
}

void qtShowAccessibleText(QtControl& control) {
  const AccessibleText& text = control.accessible;
  // A control without a name of its own is heard as it reads: an empty label
  // has an empty name, never a made-up one.
  control.widget->setAccessibleName(!text.name.empty() ? toQt(text.name)
                                                       : withoutMnemonics(toQt(control.caption)));
  std::string description = text.description;
  if (const auto* edit = qobject_cast<const QLineEdit*>(control.widget)) {
    const QString shown = edit->text();
    description = describedWithCaret(text, toCharIndex(shown, edit->cursorPosition()),
                                     toCharIndex(shown, static_cast<int>(shown.size())));
  }
  control.widget->setAccessibleDescription(toQt(description));
}

void qtSetEditText(LowWindow& window, QtControl& control, const std::string& text) {
  DialogWindow* dialog = window.dialog;  // the notices below may end the window
  auto* edit = static_cast<QLineEdit*>(control.widget);
  {
    const QSignalBlocker quiet(edit);
    edit->setText(toQt(text));
  }
  qtShowAccessibleText(control);
  qtFitEditText(edit, window.metrics);
  // A write by the program notifies like a user's edit, even when the text
  // stays the same; the dialog layer tells the two apart.
  const int id = control.id;
  commandNotice(dialog, id, LowNotify::EditUpdate)();
  commandNotice(dialog, id, LowNotify::EditChange)();
}

}  // namespace bitscope
