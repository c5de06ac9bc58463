// SPDX-License-Identifier: MIT
// Dialog units and text metrics: how a template's geometry becomes pixels, and
// how a text that the substituted font makes too wide still shows whole.
#include <QAbstractButton>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "bindings/qt/qt_binding.h"
#include "dialog/winstyle.h"

namespace bitscope {
namespace {

using winstyle::BS_MULTILINE;

// Free fonts with the metrics of the Windows fonts the templates name.
struct FontSubstitute {
  std::string_view windowsName;
  const char* family;
};
constexpr std::array<FontSubstitute, 5> fontSubstitutes = {{
    {"MS Sans Serif", "Liberation Sans"},
    {"MS Shell Dlg", "Liberation Sans"},
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
}};

bool sameFontName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

QString fontFamily(const std::string& templateFontName) {
  for (const FontSubstitute& s : fontSubstitutes)
    if (sameFontName(s.windowsName, templateFontName)) return QString::fromLatin1(s.family);
  return toQt(templateFontName);
}

// MulDiv of the Windows dialog manager: rounds halves away from zero.
int mulDiv(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

// Candidate metrics from the dialog font downwards: first a slightly tighter
// letter spacing, then one pixel smaller, down to 70 % of the font.
template <class Fits>
QFont largestFitting(const QFont& base, Fits fits) {
  if (fits(base)) return base;
  const int pixels = QFontInfo(base).pixelSize();
  const int smallest = std::max(6, pixels * 7 / 10);
  QFont candidate = base;
  for (int size = pixels; size >= smallest; --size) {
    for (const qreal spacing : {0.0, -0.25, -0.5}) {
      candidate = base;
      candidate.setPixelSize(size);
      candidate.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
      if (fits(candidate)) return candidate;
    }
  }
  return candidate;  // the smallest tried: as close to fitting as the box allows
}

// Measuring text layouts is the dearest part of showing a caption, and a window shows the same
// few texts again and again (both languages, every format, every refresh of a box). The answer
// depends only on the text, the room, the base font and how the text is laid out, so it is
// kept: what (a tag of the control kind and its layout, then the text) in room, from base.
template <class Fits>
QFont rememberedFitting(const QFont& base, QSize room, const QString& what, Fits fits) {
  static QHash<QString, QFont> answers;
  constexpr qsizetype enough = 4096;  // far beyond what one window shows; bounds memory
  const QString key =
      base.key() + u'|' + QString::number(room.width()) + u'x' + QString::number(room.height()) + u'|' + what;
  if (const auto known = answers.constFind(key); known != answers.cend()) return *known;
  if (answers.size() >= enough) answers.clear();
  return *answers.insert(key, largestFitting(base, fits));
}

bool within(const QRectF& text, const QRect& room) {
  return text.width() <= room.width() && text.height() <= room.height();
}

// QLineEdit keeps this many pixels free on each side of its text.
constexpr int lineEditMargin = 2;

int editTextRoom(const QLineEdit& edit) {
  QStyleOptionFrame option;
  option.initFrom(&edit);
  option.rect = edit.rect();
  option.lineWidth =
      edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
  option.midLineWidth = 0;
  option.state |= QStyle::State_Sunken;
  const QRect contents = edit.style()
                             ->subElementRect(QStyle::SE_LineEditContents, &option, &edit)
                             .marginsRemoved(edit.textMargins());
  return contents.width() - 2 * lineEditMargin;
}

// Breaks a multi-line button's caption between words where a line would not
// fit, as the Windows button does.
QString wrapWords(const QString& text, const QFontMetricsF& metrics, qreal room) {
  QStringList lines;
  for (const QString& paragraph : text.split(u'\n')) {
    QString line;
    for (const QString& word : paragraph.split(u' ', Qt::SkipEmptyParts)) {
      const QString longer = line.isEmpty() ? word : line + u' ' + word;
      if (!line.isEmpty() && metrics.horizontalAdvance(withoutMnemonics(longer)) > room) {
        lines << line;
        line = word;
      } else {
        line = longer;
      }
    }
    lines << line;
  }
  return lines.join(u'\n');
}

QStyleOptionButton buttonOption(const QAbstractButton& button, const QFont& font) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.rect = button.rect();
  option.fontMetrics = QFontMetrics(font);
  return option;
}

void fitPushButton(QtControl& control, const QFont& base) {
  auto& button = *static_cast<QPushButton*>(control.widget);
  if (control.showsIcon) {
    button.setText({});
    button.setFont(base);
    return;
  }
  const QString caption = toQt(control.caption);
  const bool multiLine = (control.style & BS_MULTILINE) != 0;
  const auto shown = [&](const QFont& font, const QRect& room) {
    return multiLine ? wrapWords(caption, QFontMetricsF(font), room.width()) : caption;
  };
  const auto room = [&](const QFont& font) {
    const QStyleOptionButton option = buttonOption(button, font);
    return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
  };
  const QString what = QStringLiteral("button %1|").arg(multiLine) + caption;
  const QFont font = rememberedFitting(base, button.size(), what, [&](const QFont& candidate) {
    const QRect r = room(candidate);
    return within(QFontMetricsF(candidate).boundingRect(QRectF(r), Qt::AlignCenter | Qt::TextShowMnemonic,
                                                        shown(candidate, r)),
                  r);
  });
  button.setFont(font);
  button.setText(shown(font, room(font)));
}

void fitCheckOrRadio(QtControl& control, const QFont& base) {
  auto& button = *static_cast<QAbstractButton*>(control.widget);
  const QString caption = toQt(control.caption);
  const QStyle::SubElement contents =
      control.kind == QtControlKind::CheckBox ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents;
  const QString what = QStringLiteral("check %1|").arg(contents) + caption;
  const QFont font = rememberedFitting(base, button.size(), what, [&](const QFont& candidate) {
    const QStyleOptionButton option = buttonOption(button, candidate);
    const QRect room = button.style()->subElementRect(contents, &option, &button);
    return within(QFontMetricsF(candidate).boundingRect(
                      QRectF(room), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, caption),
                  room);
  });
  button.setFont(font);
  button.setText(caption);
}

void fitGroupBox(QtControl& control, const QFont& base) {
  auto& box = *static_cast<DialogGroupBox*>(control.widget);
  const QString caption = toQt(control.caption);
  const QFont font =
      rememberedFitting(base, box.size(), QStringLiteral("group|") + caption, [&](const QFont& candidate) {
        QStyleOptionGroupBox option;
        option.initFrom(&box);
        option.rect = box.rect();
        option.fontMetrics = QFontMetrics(candidate);
        option.text = caption;
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect label =
            box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
        return label.left() >= 0 && label.right() < box.width();
      });
  box.setFont(font);
  box.setCaption(caption);
}

void fitLabel(QtControl& control, const QFont& base) {
  auto& label = *static_cast<QLabel*>(control.widget);
  const QString caption = toQt(control.caption);
  int flags = Qt::AlignLeft | Qt::AlignTop;
  if (label.wordWrap()) flags |= Qt::TextWordWrap;
  if (label.buddy() != nullptr) flags |= Qt::TextShowMnemonic;
  const QRect room = label.contentsRect();
  const QString what = QStringLiteral("label %1|").arg(flags) + caption;
  const QFont font = rememberedFitting(base, room.size(), what, [&](const QFont& candidate) {
    const QRectF open(room.x(), room.y(), room.width(), 1 << 20);
    return within(QFontMetricsF(candidate).boundingRect(open, flags, caption), room);
  });
  label.setFont(font);
  label.setText(caption);
}

}  // namespace

int DialogMetrics::toX(int units) const { return mulDiv(units, baseX, 4); }
int DialogMetrics::toY(int units) const { return mulDiv(units, baseY, 8); }

DialogMetrics qtDialogMetrics(const DialogTemplate& tpl) {
  DialogMetrics m;
  m.font = QFont(fontFamily(tpl.fontName));
  m.font.setPointSize(tpl.fontPointSize > 0 ? tpl.fontPointSize : 8);
  m.font.setWeight(
      static_cast<QFont::Weight>(tpl.fontWeight > 0 ? std::clamp(tpl.fontWeight, 1, 1000) : 400));
  m.font.setItalic(tpl.fontItalic);
  // The Windows base units: the average width of the 52 Latin letters,
  // rounded, and the character height.
  const QFontMetrics metrics(m.font);
  const int letters =
      metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  m.baseX = std::max(1, (letters + 26) / 52);
  m.baseY = std::max(1, metrics.height());
  return m;
}

void qtFitEditText(QWidget* widget, const DialogMetrics& metrics) {
  auto* edit = qobject_cast<QLineEdit*>(widget);
  if (edit == nullptr) return;
  const QString text = edit->text();
  const int room = editTextRoom(*edit);
  // QLineEdit scrolls unless the text and the caret after it fit the room.
  edit->setFont(rememberedFitting(
      metrics.font, QSize(room, 0), QStringLiteral("edit|") + text, [&](const QFont& candidate) {
        return qRound(QFontMetricsF(candidate).horizontalAdvance(text)) + 1 <= room;
      }));
}

void qtFitCaption(QtControl& control, const DialogMetrics& metrics) {
  switch (control.kind) {
    case QtControlKind::Label:
      fitLabel(control, metrics.font);
      break;
    case QtControlKind::GroupBox:
      fitGroupBox(control, metrics.font);
      break;
    case QtControlKind::PushButton:
      fitPushButton(control, metrics.font);
      break;
    case QtControlKind::CheckBox:
    case QtControlKind::RadioButton:
      fitCheckOrRadio(control, metrics.font);
      break;
    case QtControlKind::Icon:
    case QtControlKind::Edit:
    case QtControlKind::List:
    case QtControlKind::Other:
      break;
  }
}

}  // namespace bitscope
