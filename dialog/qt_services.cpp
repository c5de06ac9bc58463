// Platform services: message boxes, icons, the file chooser, the search path,
// opening a document with the desktop's application, and the fatal stop.
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <utility>

#include "dialog/qt_binding.h"

#ifndef BITSCOPE_DATADIR
#error "BITSCOPE_DATADIR (the installed data folder) must be defined by the build"
#endif

namespace bitscope {
namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

// A path the program can hold: one that survives the trip through
// Windows-1252. Empty when it would not.
std::string programPath(const QString& path) {
  std::string converted = fromQt(path);
  return toQt(converted) == path ? converted : std::string();
}

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

bool askToCreate(QWidget* parent, const QString& path) {
  return QMessageBox::question(parent, QApplication::applicationName(),
                               QStringLiteral("%1\nThis file does not exist.\nCreate the file?")
                                   .arg(QDir::toNativeSeparators(path))) == QMessageBox::Yes;
}

// Whether the desktop names an application for the file's type; true when it
// cannot be told, and the launch itself then decides.
bool hasAssociation(const QFileInfo& file) {
  const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (xdgMime.isEmpty()) return true;
  const QString type = QMimeDatabase().mimeTypeForFile(file).name();
  QProcess query;
  query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type});
  if (!query.waitForFinished()) return true;
  return !query.readAllStandardOutput().trimmed().isEmpty();
}

}  // namespace

void lowMessageBox(const std::string& text, const std::string& caption, MessageIcon icon, LowWindow* owner) {
  QMessageBox box(boxIcon(icon), toQt(caption), toQt(text), QMessageBox::Ok,
                  owner != nullptr ? owner->dialog : nullptr);
  box.setTextFormat(Qt::PlainText);  // "&" and "<" shown as they stand
  box.exec();
}

void lowStopProgram(int exitCode) {
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

// ---- icons ------------------------------------------------------------------

QIcon qtIconForResource(int resourceId) {
  // Icons are embedded from resources/icons/<id>.svg; an id without a file
  // has no icon.
  const QString path = QStringLiteral(":/icons/%1.svg").arg(resourceId);
  return QFile::exists(path) ? QIcon(path) : QIcon();
}

LowIcon* lowLoadIcon(int resourceId, int pixels) {
  static std::map<std::pair<int, int>, std::unique_ptr<LowIcon>> loaded;
  std::unique_ptr<LowIcon>& entry = loaded[{resourceId, pixels}];
  if (entry == nullptr) {
    QIcon icon = qtIconForResource(resourceId);
    if (icon.isNull()) return nullptr;
    entry = std::make_unique<LowIcon>(LowIcon{std::move(icon), pixels});
  }
  return entry.get();
}

int lowSmallIconSize() { return QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize); }

void lowSetWindowIcon(LowWindow* window, LowIcon* icon) {
  if (window != nullptr && icon != nullptr) window->dialog->setWindowIcon(icon->icon);
}

void lowSetButtonIcon(LowWindow* window, int id, LowIcon* icon) {
  QtControl* control = qtFindControl(window, id);
  if (control == nullptr || control->kind != QtControlKind::PushButton) return;
  auto* button = static_cast<QPushButton*>(control->widget);
  // The icon stands in for the caption, at its own size or the button's room.
  control->showsIcon = icon != nullptr;
  button->setIcon(icon != nullptr ? icon->icon : QIcon());
  if (icon != nullptr) {
    const int room = std::min(button->width(), button->height()) - 4;
    const int side = std::max(8, std::min(icon->pixels, room));
    button->setIconSize(QSize(side, side));
  }
  qtShowCaption(*window, *control);
}

// ---- files --------------------------------------------------------------------

bool lowChooseFile(const FileChooserRequest& request, std::string& path) {
  QFileDialog chooser(QApplication::activeWindow(), toQt(request.title));
  QStringList filters;
  for (const auto& [description, pattern] : request.filters) filters << nameFilter(description, pattern);
  chooser.setNameFilters(filters);
  if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
    chooser.selectNameFilter(filters[request.filterIndex - 1]);
  std::string suffix = request.defaultExtension;
  if (!suffix.empty() && suffix.front() == '.') suffix.erase(0, 1);
  chooser.setDefaultSuffix(toQt(suffix));
  if (!request.initialDirectory.empty()) chooser.setDirectory(toQt(request.initialDirectory));
  if (request.promptOverwrite) {
    chooser.setAcceptMode(QFileDialog::AcceptSave);  // asks before replacing a file
    chooser.setFileMode(QFileDialog::AnyFile);
  } else {
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setFileMode(request.promptCreate ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  }
  while (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty()) {
    const QString chosen = chooser.selectedFiles().constFirst();
    // A name that Windows-1252 cannot hold would reach the program changed,
    // and the file would be written under another name.
    const std::string held = programPath(chosen);
    if (held.empty()) {
      QMessageBox::warning(&chooser, QApplication::applicationName(),
                           QStringLiteral("%1\nThis name contains characters that Bitscope cannot use. "
                                          "Please choose another name.")
                               .arg(QDir::toNativeSeparators(chosen)));
      continue;
    }
    if (!request.promptOverwrite && request.promptCreate && !QFileInfo::exists(chosen) &&
        !askToCreate(&chooser, chosen))
      continue;
    path = held;
    return true;
  }
  return false;
}

std::string lowCurrentDirectory() { return programPath(QDir::currentPath()); }

std::string lowSearchPath(const std::string& name) {
  if (name.empty()) return {};
  const QString wanted = toQt(name);
  if (QFileInfo(wanted).isAbsolute()) return QFileInfo(wanted).isFile() ? name : std::string();
  QStringList folders{QCoreApplication::applicationDirPath(), QDir::currentPath(),
                      QStringLiteral(BITSCOPE_DATADIR)};
  folders << qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
  for (const QString& folder : folders) {
    const QFileInfo candidate(QDir(folder).filePath(wanted));
    if (!candidate.isFile()) continue;
    if (std::string found = programPath(candidate.absoluteFilePath()); !found.empty()) return found;
  }
  return {};
}

OpenResult lowOpenDocument(const std::string& path) {
  const QFileInfo file(toQt(path));
  if (!file.isFile()) return OpenResult::Failed;
  if (!hasAssociation(file)) return OpenResult::NoAssociation;
  // Without xdg-open or a desktop's own launcher Qt has nothing to open the
  // file with.
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath())) ? OpenResult::Opened
                                                                                  : OpenResult::NoAssociation;
}

}  // namespace bitscope
