// SPDX-License-Identifier: MIT
// The summary's "Save to File", the help button and the toolkit's own dialogs,
// end to end through the Qt binding: the real handlers, Qt's file chooser and
// message boxes answered as a user would, the real disk and child processes.
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bindings/qt/qt_binding.h"
#include "help/help_document.h"
#include "state/appstate.h"
#include "summary/summary.h"
#include "tests/qt/modal_script.h"
#include "tests/summary/golden_summary.h"

namespace bitscope::test {
namespace {

namespace fs = std::filesystem;
using bitscope::testing::expectedFile;

void useLanguage(Language language) {
  AppState& state = appState();
  state.language = language;
  lowSetLanguage(language == Language::Romanian ? "ro" : "en");
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every entry below folder with its content.
std::map<fs::path, std::string> snapshot(const fs::path& folder) {
  std::map<fs::path, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    entries[entry.path()] = entry.is_directory() ? "<folder>" : readFile(entry.path());
  return entries;
}

// Runs the message loop until done() or a guard far beyond any run's time;
// the guard only stops a hang.
bool runLoopUntil(const std::function<bool()>& done) {
  QElapsedTimer guard;
  guard.start();
  while (!done()) {
    if (guard.elapsed() > 30'000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// ---- Saving the summary -------------------------------------------------------

class QtSaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temporary_.isValid());
    folder_ = fileSystemPath(temporary_.path());
    oldCurrent_ = QDir::currentPath();
    useLanguage(Language::English);
    buildSummaryTexts();  // as start-up does
  }
  void TearDown() override {
    QDir::setCurrent(oldCurrent_);
    useLanguage(Language::Romanian);
  }
  // Presses "Save to File" with the chooser starting in folder.
  void pressSave(const fs::path& folder, std::vector<ModalStep> steps) {
    QDir::setCurrent(qtPath(folder));
    ModalScript script(std::move(steps));
    DialogObject unused;
    saveSummary(unused, 1041, EVT_CLICKED);
    EXPECT_TRUE(script.finished());
  }

  QTemporaryDir temporary_;
  fs::path folder_;
  QString oldCurrent_;
};

TEST_F(QtSaveTest, CreatesANewFileOnlyWhenConfirmedUnderAnyName) {
  struct Row {
    const char* folder;
    const char* typed;  // into the chooser's name box
    const char* file;   // what is written
    const char* shown;  // folder and file as the box that confirms the save names them
    Language language;
  };
  const Row rows[] = {
      {"\xC8\x99tiin\xC8\x9B"
       "e",
       "rezumat", "rezumat.txt",
       "\x3Ftiin\x3F"
       "e/rezumat.txt",
       Language::Romanian},  // științe
      {"\xD0\x94\xD0\xBE\xD0\xBA\xD1\x83\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x82\xD1\x8B", "sum \xF0\x9F\x93\x84.txt",
       "sum \xF0\x9F\x93\x84.txt", "\x3F\x3F\x3F\x3F\x3F\x3F\x3F\x3F\x3F/sum \x3F.txt",
       Language::English},  // Документы, an emoji
      {"plain", "notes.txt ", "notes.txt ", "plain/notes.txt ", Language::English},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    useLanguage(row.language);
    const fs::path folder = folder_ / row.folder;
    fs::create_directory(folder);
    std::ofstream(folder / "notes.txt") << "my notes";
    const auto before = snapshot(folder);

    // No to the question keeps the chooser open; Cancel then writes nothing.
    QString question;
    pressSave(folder, {chooseName(QString::fromUtf8(row.typed)),
                       answer(QMessageBox::No, &question),
                       {QStringLiteral("the chooser, to cancel it"), isChooser, canTypeAName,
                        [](QWidget* top) { static_cast<QDialog*>(top)->reject(); }}});
    EXPECT_EQ(snapshot(folder), before);
    EXPECT_TRUE(question.endsWith(row.language == Language::English ? QStringLiteral("Create the file?")
                                                                    : QString::fromUtf8("Îl creați?")))
        << question.toStdString();

    // Yes writes that file, byte for byte, and no other.
    QString saved;
    pressSave(folder, {chooseName(QString::fromUtf8(row.typed)), answer(QMessageBox::Yes),
                       answer(QMessageBox::Ok, &saved)});
    EXPECT_EQ(readFile(folder / row.file), expectedFile(row.language));
    EXPECT_EQ(readFile(folder / "notes.txt"), "my notes");
    EXPECT_EQ(snapshot(folder).size(), 2u) << "no temporary file left";
    EXPECT_EQ(saved, qtPath(folder_) + u'/' + QString::fromUtf8(row.shown));
  }
}

TEST_F(QtSaveTest, ReplacesAnExistingFileOnlyWhenConfirmed) {
  const fs::path file = folder_ / "old.txt";
  std::ofstream(file) << "the previous summary";
  const auto before = snapshot(folder_);
  pressSave(folder_, {chooseName(QStringLiteral("old.txt")),
                      answer(QMessageBox::No),
                      {QStringLiteral("the chooser, to cancel it"), isChooser, canTypeAName,
                       [](QWidget* top) { static_cast<QDialog*>(top)->reject(); }}});
  EXPECT_EQ(snapshot(folder_), before);

  pressSave(folder_,
            {chooseName(QStringLiteral("old.txt")), answer(QMessageBox::Yes), answer(QMessageBox::Ok)});
  EXPECT_EQ(readFile(file), expectedFile(Language::English));
  EXPECT_EQ(snapshot(folder_).size(), 1u);
}

TEST_F(QtSaveTest, AFailedWriteIsReportedAndLeavesNothingBehind) {
  const fs::path locked = folder_ / "locked";
  fs::create_directory(locked);
  std::ofstream(locked / "kept.txt") << "kept";
  fs::permissions(locked / "kept.txt", fs::perms(0444));
  const auto before = snapshot(folder_);
  QString error;
  pressSave(locked, {chooseName(QStringLiteral("kept.txt")), answer(QMessageBox::Yes),
                     answer(QMessageBox::Ok, &error)});
  EXPECT_TRUE(error.startsWith(QStringLiteral("The summary was not saved to the file:")))
      << error.toStdString();
  EXPECT_EQ(snapshot(folder_), before);
}

// ---- The help button ----------------------------------------------------------

// A guide in the current folder and stand-ins for the desktop's tools first
// on PATH: xdg-mime answers which application opens PDF files once the test
// releases it, xdg-open notes the document it was asked to open.
class QtHelpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    oldCurrent_ = QDir::currentPath();
    oldPath_ = qgetenv("PATH");
    QDir::setCurrent(folder_.path());
    QDir().mkdir(QStringLiteral("bin"));
    qputenv(
        "PATH",
        (folder_.filePath(QStringLiteral("bin")) + u':' + QString::fromLocal8Bit(oldPath_)).toLocal8Bit());
    std::ofstream(fileSystemPath(folder_.filePath(QStringLiteral("VAZ&I-en.pdf")))) << "%PDF-1.4\n";
    std::ofstream(fileSystemPath(folder_.filePath(QStringLiteral("VAZ&I-ro.pdf")))) << "%PDF-1.4\n";
    writeTool("xdg-open",
              "printf '%s' \"$1\" > \"$PWD/opened.tmp\" && mv \"$PWD/opened.tmp\" \"$PWD/opened\"\n");
  }
  void TearDown() override {
    QDir::setCurrent(oldCurrent_);
    qputenv("PATH", oldPath_);
    useLanguage(Language::Romanian);
  }
  void writeTool(const char* name, const std::string& body) {
    const QString path = folder_.filePath(QStringLiteral("bin/") + QString::fromUtf8(name));
    std::ofstream(fileSystemPath(path)) << "#!/bin/sh\ncd \"" << folder_.path().toStdString() << "\"\n"
                                        << body;
    fs::permissions(fileSystemPath(path), fs::perms(0755));
  }
  // xdg-mime names application after the test creates the file "release";
  // a limit ends it should nobody ever release it.
  void desktopAnswers(const char* application) {
    writeTool(
        "xdg-mime",
        std::string("i=0; while [ ! -e release ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i+1)); done\n") +
            "printf '" + application + "'\ntouch answered\n");
  }
  void release() { std::ofstream(fileSystemPath(folder_.filePath(QStringLiteral("release")))); }
  QString opened() const {
    QFile file(folder_.filePath(QStringLiteral("opened")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }
  static void pressHelp() {
    DialogObject unused;
    openHelpDocument(unused, 1042, EVT_CLICKED);
  }

  QTemporaryDir folder_;
  QString oldCurrent_;
  QByteArray oldPath_;
};

TEST_F(QtHelpTest, TheWindowKeepsWorkingWhileTheDesktopLooksForTheViewer) {
  useLanguage(Language::English);
  desktopAnswers("viewer.desktop\\n");
  pressHelp();  // returns while xdg-mime still waits for its release

  // The message loop runs on: a timer fires while the desktop has not answered.
  bool timerFired = false;
  QTimer::singleShot(0, [&] { timerFired = true; });
  ASSERT_TRUE(runLoopUntil([&] { return timerFired; }));
  EXPECT_FALSE(QFile::exists(folder_.filePath(QStringLiteral("answered"))))
      << "the press waited for the desktop's answer";
  EXPECT_TRUE(opened().isEmpty()) << "the viewer was started before the desktop named it";

  release();
  ASSERT_TRUE(runLoopUntil([&] { return !opened().isEmpty(); }));
  EXPECT_EQ(opened(), QFileInfo(folder_.filePath(QStringLiteral("VAZ&I-en.pdf"))).absoluteFilePath());
}

TEST_F(QtHelpTest, SaysSoWhenNoViewerIsAssociatedOrTheGuideIsMissing) {
  struct Row {
    Language language;
    bool guidePresent;
    const char* message;
  };
  const Row rows[] = {
      {Language::English, true, "Error: There is no application associated with \".pdf\" file extension!"},
      {Language::Romanian, true, "Eroare: Nu exista aplicatie asociata cu extensia \".pdf\"!"},
      {Language::English, false, "File \"VAZ&I-en.pdf\" Not Found!\nTry to locate it yourselves."},
  };
  desktopAnswers("");
  release();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    useLanguage(row.language);
    if (!row.guidePresent) QFile::remove(folder_.filePath(QStringLiteral("VAZ&I-en.pdf")));
    QString text;
    ModalScript script({answer(QMessageBox::Ok, &text)});
    pressHelp();
    ASSERT_TRUE(runLoopUntil([&] { return script.finished(); }));
    EXPECT_EQ(text, QString::fromUtf8(row.message));
    EXPECT_TRUE(opened().isEmpty());
  }
}

// ---- Qt's own dialogs in the window's language ---------------------------------

// Qt's texts are looked up as its buttons and windows are made: each one made
// after a switch speaks the new language.
TEST(QtLanguage, StandardButtonsAndTheChooserFollowTheLanguage) {
  struct Shown {
    QString cancel, yes, fileName;
  };
  const auto made = [] {
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                             QDialogButtonBox::No);
    QFileDialog chooser;
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    const auto* label = chooser.findChild<QLabel*>(QStringLiteral("fileNameLabel"));
    return Shown{buttons.button(QDialogButtonBox::Cancel)->text(),
                 buttons.button(QDialogButtonBox::Yes)->text(), label != nullptr ? label->text() : QString()};
  };

  lowSetLanguage("ro");
  Shown shown = made();
  EXPECT_EQ(shown.cancel, QStringLiteral("Anulare"));
  EXPECT_EQ(shown.yes, QStringLiteral("&Da"));
  EXPECT_EQ(shown.fileName, QString::fromUtf8("&Nume fișier:"));

  lowSetLanguage("en");
  shown = made();
  EXPECT_EQ(shown.cancel, QStringLiteral("Cancel"));
  EXPECT_EQ(shown.yes, QStringLiteral("&Yes"));
  EXPECT_EQ(shown.fileName, QStringLiteral("File &name:"));

  lowSetLanguage("ro");
  lowSetLanguage("ro");
  lowSetLanguage("en");
  EXPECT_EQ(made().cancel, QStringLiteral("Cancel"));
}

// A switch tells no window of it: Qt's LanguageChange would repaint every
// control of the main window, whose texts the program sets itself.
TEST(QtLanguage, ASwitchLeavesTheWindowsAlone) {
  lowSetLanguage("en");
  QWidget window;
  int changes = 0;
  struct Counter : QObject {
    int* count;
    explicit Counter(int* c) : count(c) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::LanguageChange) ++*count;
      return false;
    }
  } counter(&changes);
  window.installEventFilter(&counter);
  lowSetLanguage("ro");
  lowSetLanguage("en");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
  EXPECT_EQ(changes, 0);
}

}  // namespace
}  // namespace bitscope::test
