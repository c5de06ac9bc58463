// SPDX-License-Identifier: MIT
// The dialog's group box: the frame as the style draws it, the caption painted
// by the box so that changing it repaints no more than the caption's strip.
#include <QFontMetrics>
#include <QStyle>
#include <QStylePainter>

#include "bindings/qt/qt_binding.h"

namespace bitscope {

QStyleOptionGroupBox DialogGroupBox::optionShowing(const QString& caption) const {
  QStyleOptionGroupBox option;
  initStyleOption(&option);
  option.text = caption;
  if (!caption.isEmpty()) option.subControls |= QStyle::SC_GroupBoxLabel;
  return option;
}

void DialogGroupBox::setCaption(const QString& caption) {
  if (caption == caption_ && title().isEmpty()) return;
  if (caption.contains(u'&')) {
    // A mnemonic: Qt's own title, which also takes the shortcut to the frame.
    caption_.clear();
    setTitle(caption);
    return;
  }
  setTitle({});
  // A caption that appears or goes moves the frame's top line: all of it changes.
  const bool frameMoves = caption.isEmpty() != caption_.isEmpty();
  const auto strip = [this](const QString& text) {
    const QStyleOptionGroupBox option = optionShowing(text);
    return style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
  };
  const QRect before = strip(caption_);
  caption_ = caption;
  if (frameMoves) {
    update();
  } else {
    // The frame's line runs through the strip beside the text; a margin covers antialiasing.
    constexpr int margin = 2;
    update(before.united(strip(caption_)).adjusted(-margin, -margin, margin, margin));
  }
}

// As QGroupBox's, for the caption the box paints.
QSize DialogGroupBox::minimumSizeHint() const {
  if (!title().isEmpty()) return QGroupBox::minimumSizeHint();
  const QStyleOptionGroupBox option = optionShowing(caption_);
  const QFontMetrics metrics = fontMetrics();
  const QSize text(metrics.horizontalAdvance(caption_) + metrics.horizontalAdvance(u' '), metrics.height());
  return style()
      ->sizeFromContents(QStyle::CT_GroupBox, &option, text, this)
      .expandedTo(QWidget::minimumSizeHint());
}

void DialogGroupBox::paintEvent(QPaintEvent* event) {
  if (!title().isEmpty()) {
    QGroupBox::paintEvent(event);
    return;
  }
  QStylePainter painter(this);
  painter.drawComplexControl(QStyle::CC_GroupBox, optionShowing(caption_));
}

}  // namespace bitscope
