// SPDX-License-Identifier: MIT
// The file chooser and the current folder. The chooser is Qt's own, never the
// desktop's: only Qt's speaks the window's language, and only it lets the
// binding ask the questions that the request promises before a name is
// accepted.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "bindings/qt/qt_binding.h"

namespace bitscope {
namespace {

// "Text files (*.txt)" from ("Text files", "*.txt"); a Windows pattern list
// "*.txt;*.text" becomes Qt's "*.txt *.text", and a description that already
// shows its patterns in parentheses keeps them once.
QString nameFilter(const std::string& description, const std::string& pattern) {
  QString text = toQt(description).trimmed();
  if (text.endsWith(u')')) {
    const qsizetype open = text.lastIndexOf(u'(');
    if (open > 0) text = text.left(open).trimmed();
  }
  QString patterns = toQt(pattern);
  patterns.replace(u';', u' ');
  return QStringLiteral("%1 (%2)").arg(text, patterns.simplified());
}

QString shownName(const QString& path) { return QDir::toNativeSeparators(path); }

bool askToCreate(QFileDialog& chooser, const QString& path) {
  const QString question =
      QCoreApplication::translate("FileChooser", "%1\nThis file does not exist.\nCreate the file?");
  return QMessageBox::question(&chooser, chooser.windowTitle(), question.arg(shownName(path))) ==
         QMessageBox::Yes;
}

void refuseMissingFolder(QFileDialog& chooser, const QString& path) {
  const QString text = QCoreApplication::translate(
      "FileChooser", "%1\nThe path does not exist.\nCheck the path and try again.");
  QMessageBox::warning(&chooser, chooser.windowTitle(), text.arg(shownName(path)));
}

void setUp(QFileDialog& chooser, const FileChooserRequest& request) {
  chooser.setOption(QFileDialog::DontUseNativeDialog);
  QStringList filters;
  for (const auto& [description, pattern] : request.filters) filters << nameFilter(description, pattern);
  chooser.setNameFilters(filters);
  if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
    chooser.selectNameFilter(filters[request.filterIndex - 1]);
  std::string suffix = request.defaultExtension;
  if (!suffix.empty() && suffix.front() == '.') suffix.erase(0, 1);
  chooser.setDefaultSuffix(toQt(suffix));
  if (!request.initialDirectory.empty()) chooser.setDirectory(qtPath(request.initialDirectory));
  // The save mode is the one in which Qt asks before replacing a file.
  chooser.setAcceptMode(request.promptOverwrite ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  const bool mayCreate = request.promptOverwrite || request.promptCreate;
  chooser.setFileMode(mayCreate ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
}

}  // namespace

bool lowChooseFile(const FileChooserRequest& request, std::filesystem::path& path) {
  QFileDialog chooser(QApplication::activeWindow(), toQt(request.title));
  setUp(chooser, request);
  while (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty()) {
    const QString chosen = chooser.selectedFiles().constFirst();
    const QFileInfo file(chosen);
    if (request.pathMustExist && !file.absoluteDir().exists()) {
      refuseMissingFolder(chooser, chosen);
      continue;
    }
    // No keeps the chooser open, for another name or Cancel.
    if (request.promptCreate && !file.exists() && !askToCreate(chooser, chosen)) continue;
    path = fileSystemPath(chosen);
    return true;
  }
  return false;
}

std::filesystem::path lowCurrentDirectory() { return fileSystemPath(QDir::currentPath()); }

}  // namespace bitscope
