// SPDX-License-Identifier: MIT
// The icons as the desktop program draws them (Qt's SVG renderer) against the rendering of
// librsvg, with which they were drawn and checked at 16, 32 and 48 px. An SVG feature that one
// renderer ignores (a clip path, a mask, a filter) shows up as a large difference.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

struct Difference {
  double meanChannel = 0;  // mean absolute difference per channel, 0 to 255
  double clearlyOff = 0;   // share of pixels where some channel differs by more than 96
};

QImage renderWithQt(const QString& svg, int size) {
  QSvgRenderer renderer(svg);
  EXPECT_TRUE(renderer.isValid()) << svg.toStdString();
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  return image;
}

QImage reference(const std::string& id, int size) {
  const QString path = QString::fromStdString(std::string(BITSCOPE_ICON_REFERENCE_DIR) + "/" + id + "-" +
                                              std::to_string(size) + ".png");
  QImage image(path);
  EXPECT_FALSE(image.isNull()) << "no reference rendering " << path.toStdString();
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QString source(const std::string& id) {
  return QString::fromStdString(std::string(BITSCOPE_ICON_DIR) + "/" + id + ".svg");
}

Difference compare(const QImage& a, const QImage& b) {
  Difference d;
  if (a.size() != b.size() || a.isNull()) {
    d.meanChannel = 255;
    d.clearlyOff = 1;
    return d;
  }
  long long total = 0;
  int off = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      const int channels[4] = {std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                               std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))};
      total += channels[0] + channels[1] + channels[2] + channels[3];
      if (*std::max_element(channels, channels + 4) > 96) ++off;
    }
  }
  const double pixels = static_cast<double>(a.width()) * a.height();
  d.meanChannel = static_cast<double>(total) / (pixels * 4);
  d.clearlyOff = off / pixels;
  return d;
}

struct IconSize {
  const char* id;
  int size;
};

class IconRendering : public testing::TestWithParam<IconSize> {};

// Antialiasing differs slightly between the renderers along every edge; a missing or extra
// shape differs over whole areas.
TEST_P(IconRendering, QtDrawsWhatTheReferenceRendererDraws) {
  const IconSize icon = GetParam();
  const Difference d = compare(renderWithQt(source(icon.id), icon.size), reference(icon.id, icon.size));
  EXPECT_LT(d.meanChannel, 5.0) << icon.id << " at " << icon.size << " px";
  EXPECT_LT(d.clearlyOff, 0.01) << icon.id << " at " << icon.size << " px";
}

INSTANTIATE_TEST_SUITE_P(AllIconsAllSizes, IconRendering,
                         testing::Values(IconSize{"104", 16}, IconSize{"104", 32}, IconSize{"104", 48},
                                         IconSize{"109", 16}, IconSize{"109", 32}, IconSize{"109", 48},
                                         IconSize{"110", 16}, IconSize{"110", 32}, IconSize{"110", 48},
                                         IconSize{"112", 16}, IconSize{"112", 32}, IconSize{"112", 48}),
                         [](const testing::TestParamInfo<IconSize>& param) {
                           return std::string("icon") + param.param.id + "_" +
                                  std::to_string(param.param.size) + "px";
                         });

// The comparison must be able to fail: the two button icons are told apart from each other and
// from the program icon (104 and its small form 112 are meant to look alike).
TEST(IconDistinctness, ButtonIconsAreClearlyDistinct) {
  const std::pair<const char*, const char*> pairs[] = {{"109", "110"}, {"110", "109"}, {"109", "104"},
                                                       {"110", "104"}, {"109", "112"}, {"110", "112"}};
  for (const auto& [a, b] : pairs) {
    const Difference d = compare(renderWithQt(source(a), 32), reference(b, 32));
    EXPECT_GT(d.clearlyOff, 0.10) << a << " looks like " << b;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
