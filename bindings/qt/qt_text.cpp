// SPDX-License-Identifier: MIT
// Texts at the toolkit boundary: the program speaks Windows-1252, Qt UTF-16.
#include <QFile>

#include "bindings/qt/qt_binding.h"
#include "textmodel/cp1252.h"

namespace bitscope {

QString toQt(const std::string& cp1252) { return QString::fromStdU32String(cp1252ToUnicode(cp1252)); }

std::string fromQt(const QString& text) {
  // An unpaired surrogate becomes U+FFFD here, and so "?" like any other
  // character that Windows-1252 lacks.
  return cp1252FromUnicode(text.toStdU32String());
}

int toCharIndex(const QString& text, int utf16Index) {
  int chars = 0;
  for (int i = 0; i < utf16Index && i < text.size(); ++i) {
    if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
    ++chars;
  }
  return chars;
}

int toUtf16Index(const QString& text, int charIndex) {
  int i = 0;
  for (int chars = 0; chars < charIndex && i < text.size(); ++chars) {
    if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
    ++i;
  }
  return i;
}

QString withoutMnemonics(const QString& caption) {
  QString out;
  out.reserve(caption.size());
  for (int i = 0; i < caption.size(); ++i) {
    if (caption.at(i) == u'&' && i + 1 < caption.size()) ++i;  // "&x" -> "x", "&&" -> "&"
    out.append(caption.at(i));
  }
  return out;
}

QString qtPath(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

std::filesystem::path fileSystemPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

}  // namespace bitscope
