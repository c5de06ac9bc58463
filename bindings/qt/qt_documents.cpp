// SPDX-License-Identifier: MIT
// The search path, and opening a document with the desktop's application
// without ever keeping the window waiting: the question which application
// that is runs as a child process whose answer the message loop picks up,
// and the viewer is started detached.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include "bindings/qt/qt_binding.h"

#ifndef BITSCOPE_DATADIR
#error "BITSCOPE_DATADIR (the installed data folder) must be defined by the build"
#endif

namespace bitscope {
namespace {

// A desktop that has not answered by then will not; the launch decides.
constexpr int associationQueryLimitMs = 30'000;

// Without xdg-open Qt and the program have nothing to open a file with, which
// the user sees as a type without an application.
void launch(const QString& document, const std::function<void(OpenResult)>& done) {
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (opener.isEmpty()) {
    done(OpenResult::NoAssociation);
    return;
  }
  done(QProcess::startDetached(opener, {document}) ? OpenResult::Opened : OpenResult::Failed);
}

// Asks the desktop which application opens the document's type; an empty
// answer means none. When the desktop cannot be asked, or its answer is no
// answer, the launch itself decides.
void askForApplication(const QString& xdgMime, const QString& document,
                       std::function<void(OpenResult)> done) {
  auto* query = new QProcess(QCoreApplication::instance());
  auto decide = [query, document, done = std::move(done)](bool noApplication) {
    query->disconnect();
    query->deleteLater();
    if (noApplication)
      done(OpenResult::NoAssociation);
    else
      launch(document, done);
  };
  QObject::connect(query, &QProcess::finished, query, [query, decide](int, QProcess::ExitStatus status) {
    decide(status == QProcess::NormalExit && query->readAllStandardOutput().trimmed().isEmpty());
  });
  QObject::connect(query, &QProcess::errorOccurred, query, [decide](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) decide(false);  // finished never comes then
  });
  QTimer::singleShot(associationQueryLimitMs, query, [query] { query->kill(); });
  const QString type = QMimeDatabase().mimeTypeForFile(document).name();
  query->setStandardInputFile(QProcess::nullDevice());
  query->start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type});
}

}  // namespace

std::filesystem::path lowSearchPath(const std::string& name) {
  if (name.empty()) return {};
  const QString wanted = toQt(name);
  if (QFileInfo(wanted).isAbsolute())
    return QFileInfo(wanted).isFile() ? fileSystemPath(wanted) : std::filesystem::path();
  QStringList folders{QCoreApplication::applicationDirPath(), QDir::currentPath(),
                      QStringLiteral(BITSCOPE_DATADIR)};
  folders << qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
  for (const QString& folder : folders) {
    const QFileInfo candidate(QDir(folder).filePath(wanted));
    if (candidate.isFile()) return fileSystemPath(candidate.absoluteFilePath());
  }
  return {};
}

void lowOpenDocument(const std::filesystem::path& path, std::function<void(OpenResult)> done) {
  const QFileInfo file(qtPath(path));
  if (!file.isFile()) {
    done(OpenResult::Failed);
    return;
  }
  const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (xdgMime.isEmpty()) {
    launch(file.absoluteFilePath(), done);
    return;
  }
  askForApplication(xdgMime, file.absoluteFilePath(), std::move(done));
}

}  // namespace bitscope
