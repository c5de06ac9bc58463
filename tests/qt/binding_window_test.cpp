// SPDX-License-Identifier: MIT
// Windows and platform services: Init and Destroy, modal runs, the message
// loop, message boxes, icons, the search path and opening documents.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <filesystem>
#include <vector>

#include "dialog/winstyle.h"
#include "tests/qt/form_fixture.h"
#include "tests/qt/modal_script.h"

namespace bitscope::test {
namespace {

using namespace winstyle;

TEST_F(FormTest, InitComesOnceAfterTheControlsExistAndBeforeTheWindowShows) {
  resetNotices();
  bool controlsThere = false;
  bool visibleAtInit = true;
  reactWith([&](LowWindow* w, const LowEvent& e) {
    if (e.kind != LowEvent::Kind::Init) return;
    controlsThere = lowHasControl(w, 100) && lowHasControl(w, 500);
    visibleAtInit = w->dialog->isVisible();
  });
  LowWindow* other = lowCreateModeless(formTemplate(), window, 1, nullptr);
  EXPECT_EQ(kindCount(LowEvent::Kind::Init, other), 1);
  EXPECT_TRUE(controlsThere);
  EXPECT_FALSE(visibleAtInit);
  EXPECT_TRUE(other->dialog->isVisible());
  EXPECT_EQ(other->dialog->parentWidget(), window->dialog) << "an owned window stays with its owner";
  lowDestroyWindow(other);
}

TEST_F(FormTest, DestroyComesExactlyOnceAndOwnedWindowsGoFirst) {
  LowWindow* owned = lowCreateModeless(formTemplate(), window, 1, nullptr);
  const QPointer<DialogWindow> ownerWidget = window->dialog;
  const QPointer<QLineEdit> ownedEdit = edit(100);
  resetNotices();
  // The layer's Destroy handler asking for the destruction again changes nothing.
  reactWith([](LowWindow* w, const LowEvent& e) {
    if (e.kind == LowEvent::Kind::Destroy) lowDestroyWindow(w);
  });
  lowDestroyWindow(window);
  std::vector<LowWindow*> destroyed;
  for (const Notice& n : notices())
    if (n.event.kind == LowEvent::Kind::Destroy) destroyed.push_back(n.window);
  EXPECT_EQ(destroyed, (std::vector<LowWindow*>{owned, window}));
  window = nullptr;

  // The widgets outlive the window for a moment but say nothing more.
  ASSERT_FALSE(ownerWidget.isNull());
  EXPECT_FALSE(ownerWidget->isVisible());
  const auto count = notices().size();
  ownedEdit->setText(QStringLiteral("late"));
  EXPECT_EQ(notices().size(), count);
  qtDeleteDestroyedWindows();
  EXPECT_TRUE(ownerWidget.isNull());
}

TEST_F(FormTest, ModalRunReturnsTheValueGivenToEndModal) {
  struct Row {
    const char* name;
    bool endAtInit;  // end before the window shows
    bool byEscape;   // the user's Esc, answered as the layer does
    int expected;
  };
  const Row rows[] = {
      {"ended from a handler", false, false, 42},
      {"ended while starting", true, false, 7},
      {"ended by Esc", false, true, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    resetNotices();
    QWidget* parentSeen = nullptr;
    bool shown = false;
    reactWith([&](LowWindow* w, const LowEvent& e) {
      if (e.kind == LowEvent::Kind::Init) {
        parentSeen = w->dialog->parentWidget();
        if (row.endAtInit) {
          lowEndModal(w, row.expected);
        } else {
          QTimer::singleShot(0, w->dialog, [w, &row, &shown] {
            shown = w->dialog->isVisible();
            if (row.byEscape)
              QTest::keyClick(w->dialog, Qt::Key_Escape);
            else
              lowEndModal(w, row.expected);
          });
        }
      } else if (e.kind == LowEvent::Kind::Command && e.controlId == 2 && !e.fromControl) {
        lowEndModal(w, 2);
      }
    });
    EXPECT_EQ(lowRunModal(formTemplate(), window, nullptr), row.expected);
    EXPECT_EQ(parentSeen, window->dialog);
    EXPECT_EQ(shown, !row.endAtInit);
    ASSERT_FALSE(notices().empty());
    LowWindow* modal = notices().front().window;
    EXPECT_EQ(notices().front().event.kind, LowEvent::Kind::Init);
    EXPECT_EQ(kindCount(LowEvent::Kind::Init, modal), 1);
    EXPECT_EQ(kindCount(LowEvent::Kind::Destroy, modal), 1);
    std::vector<Notice> own;
    for (const Notice& n : notices())
      if (n.window == modal) own.push_back(n);
    EXPECT_EQ(own.back().event.kind, LowEvent::Kind::Destroy);
  }
}

TEST_F(FormTest, MinimisingAndRestoringAreSizeNotices) {
  window->dialog->showMinimized();
  window->dialog->showNormal();
  std::vector<LowSizeKind> sizes;
  for (const Notice& n : notices())
    if (n.window == window && n.event.kind == LowEvent::Kind::Size) sizes.push_back(n.event.size);
  EXPECT_EQ(sizes, (std::vector<LowSizeKind>{LowSizeKind::Minimised, LowSizeKind::Restored}));
}

TEST(WindowPlacement, CentredTemplatesAreCentredOnTheScreen) {
  resetNotices();
  LowWindow* window = lowCreateModeless(dialogTemplate({}, DS_CENTER), nullptr, 1, nullptr);
  const QRect area = window->dialog->screen()->availableGeometry();
  EXPECT_LE((window->dialog->frameGeometry().center() - area.center()).manhattanLength(), 2);
  EXPECT_EQ(window->dialog->minimumSize(), window->dialog->maximumSize()) << "fixed size";
  lowDestroyWindow(window);
  qtDeleteDestroyedWindows();
  resetNotices();
}

TEST(StopProgram, EndsTheProcessWithTheCode) {
  EXPECT_EXIT(lowStopProgram(3), ::testing::ExitedWithCode(3), "");
}

TEST(MessageLoop, RunsUntilTheQuitMessageAndHandsOverItsCode) {
  resetNotices();
  LowWindow* window = lowCreateModeless(formTemplate(), nullptr, 1, nullptr);
  const QPointer<DialogWindow> widgets = window->dialog;
  bool timerRan = false;
  QTimer::singleShot(0, [&] {
    timerRan = true;
    lowDestroyWindow(window);  // as a handler would
    lowPostQuitMessage(7);
  });
  LowMessage message;
  int rounds = 0;
  while (lowGetMessage(message)) {
    ++rounds;
    EXPECT_FALSE(lowIsDialogMessage(nullptr, message));
    lowTranslateMessage(message);
    lowDispatchMessage(message);
  }
  EXPECT_TRUE(timerRan);
  EXPECT_GE(rounds, 1);
  EXPECT_EQ(message.quitCode, 7);
  EXPECT_TRUE(widgets.isNull()) << "a destroyed window's widgets go between two messages";
  resetNotices();
}

TEST_F(FormTest, IconsComeFromTheEmbeddedResources) {
  EXPECT_EQ(lowLoadIcon(4242, 32), nullptr);
  LowIcon* icon = lowLoadIcon(110, 32);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(lowLoadIcon(110, 32), icon);
  EXPECT_GT(lowSmallIconSize(), 0);

  auto* button = widget<QPushButton>(401);
  lowSetButtonIcon(window, 401, icon);
  EXPECT_FALSE(button->icon().isNull());
  EXPECT_TRUE(button->text().isEmpty()) << "the icon stands in for the caption";
  EXPECT_EQ(lowGetText(window, 401), "&Apply");
  lowSetText(window, 401, "&Later");
  EXPECT_TRUE(button->text().isEmpty());
  lowSetButtonIcon(window, 401, nullptr);
  EXPECT_EQ(button->text(), QStringLiteral("&Later"));

  lowSetWindowIcon(window, icon);
  EXPECT_FALSE(window->dialog->windowIcon().isNull());

  // A static icon item shows its resource.
  TemplateItem iconItem = item(ControlClass::Static, SS_ICON, -1, "", 5, 5, 20, 20);
  iconItem.titleIsResource = true;
  iconItem.resourceNumber = 104;
  LowWindow* about = lowCreateModeless(dialogTemplate({iconItem}), nullptr, 1, nullptr);
  const auto* label = qobject_cast<QLabel*>(qtFindControl(about, -1)->widget);
  ASSERT_NE(label, nullptr);
  EXPECT_FALSE(label->pixmap().isNull());
  lowDestroyWindow(about);
}

TEST(MessageBox, ShowsItsTextCaptionAndIconWithAnOkButton) {
  struct Row {
    MessageIcon icon;
    QMessageBox::Icon expected;
  };
  const Row rows[] = {{MessageIcon::Error, QMessageBox::Critical},
                      {MessageIcon::Warning, QMessageBox::Warning},
                      {MessageIcon::Information, QMessageBox::Information},
                      {MessageIcon::None, QMessageBox::NoIcon}};
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.icon));
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title, text;
    bool topLevel = false;
    qsizetype buttons = 0;
    ModalStep look = answer(QMessageBox::Ok, &text);
    look.act = [&, answerIt = look.act](QWidget* top) {
      auto* box = static_cast<QMessageBox*>(top);
      icon = box->icon();
      title = box->windowTitle();
      topLevel = box->parentWidget() == nullptr;
      buttons = box->buttons().size();
      answerIt(top);
    };
    ModalScript script({look});
    lowMessageBox("Invalid Value & \"1e999\" <b>", "Eroare", row.icon);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(icon, row.expected);
    EXPECT_EQ(text, QStringLiteral("Invalid Value & \"1e999\" <b>"));  // plain text, "&" as it stands
    EXPECT_EQ(title, QStringLiteral("Eroare"));
    EXPECT_TRUE(topLevel);
    EXPECT_EQ(buttons, 1);
  }
}

TEST(FileChooser, OffersTheFiltersAndAsksBeforeCreatingOrReplacing) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  {
    QFile existing(folder.filePath(QStringLiteral("old.txt")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  }
  FileChooserRequest request;
  request.title = "Save";
  request.filters = {{"Text files (*.txt)", "*.txt"}, {"All files", "*.*;*"}};
  request.filterIndex = 1;
  request.defaultExtension = ".txt";
  request.initialDirectory = folder.path().toStdString();
  const auto inFolder = [&](const char* name) {
    return fileSystemPath(folder.filePath(QString::fromUtf8(name)));
  };

  // A new name gets the default extension, and is created only when confirmed:
  // No keeps the chooser open.
  QStringList filters;
  QString selected, question;
  std::filesystem::path path;
  {
    ModalScript script({chooseName(QStringLiteral("saved-summary"), &filters, &selected),
                        answer(QMessageBox::No), chooseName(QStringLiteral("saved-summary")),
                        answer(QMessageBox::Yes, &question)});
    ASSERT_TRUE(lowChooseFile(request, path));
    EXPECT_TRUE(script.finished());
  }
  EXPECT_EQ(path, inFolder("saved-summary.txt"));
  EXPECT_TRUE(question.contains(QStringLiteral("Create the file?"))) << question.toStdString();
  EXPECT_EQ(filters,
            (QStringList{QStringLiteral("Text files (*.txt)"), QStringLiteral("All files (*.* *)")}));
  EXPECT_EQ(selected, QStringLiteral("Text files (*.txt)"));

  // Replacing a file is confirmed first; refusing keeps the chooser open.
  {
    ModalScript script({chooseName(QStringLiteral("old.txt")), answer(QMessageBox::No),
                        chooseName(QStringLiteral("old.txt")), answer(QMessageBox::Yes)});
    ASSERT_TRUE(lowChooseFile(request, path));
    EXPECT_TRUE(script.finished());
  }
  EXPECT_EQ(path, inFolder("old.txt"));

  // Any name the file system holds comes back as chosen: characters beyond
  // Windows-1252, trailing blanks.
  for (const char* name : {"rezumat_\xC8\x99.txt", "old.txt "}) {
    SCOPED_TRACE(name);
    ModalScript script({chooseName(QString::fromUtf8(name)), answer(QMessageBox::Yes)});
    ASSERT_TRUE(lowChooseFile(request, path));
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(path, inFolder(name));
  }

  // A folder that does not exist is refused inside the chooser.
  QString refusal;
  {
    ModalScript script({chooseName(QStringLiteral("gone/x.txt")), answer(QMessageBox::Ok, &refusal),
                        chooseName(QStringLiteral("old.txt")), answer(QMessageBox::Yes)});
    ASSERT_TRUE(lowChooseFile(request, path));
    EXPECT_TRUE(script.finished());
  }
  EXPECT_TRUE(refusal.contains(QStringLiteral("The path does not exist."))) << refusal.toStdString();

  // Cancelling chooses nothing.
  {
    ModalScript script({{QStringLiteral("the file chooser, to cancel it"), isChooser, canTypeAName,
                         [](QWidget* top) { static_cast<QDialog*>(top)->reject(); }}});
    path = "unchanged";
    EXPECT_FALSE(lowChooseFile(request, path));
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(path, "unchanged");
  }
}

class SearchPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(here.isValid() && onPath.isValid());
    oldCurrent = QDir::currentPath();
    oldPath = qgetenv("PATH");
    touch(here.filePath(QStringLiteral("VAZ&I-en.pdf")));
    touch(onPath.filePath(QStringLiteral("tool-doc.pdf")));
    QDir::setCurrent(here.path());
    qputenv("PATH", (QStringLiteral("/nonexistent:") + onPath.path()).toLocal8Bit());
  }
  void TearDown() override {
    QDir::setCurrent(oldCurrent);
    qputenv("PATH", oldPath);
  }
  static void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  QTemporaryDir here, onPath;
  QString oldCurrent;
  QByteArray oldPath;
};

TEST_F(SearchPathTest, FindsFilesInTheCurrentFolderAndOnThePath) {
  const auto expectFound = [](const char* name, const QString& where) {
    SCOPED_TRACE(name);
    EXPECT_EQ(lowSearchPath(name).string(), QFileInfo(where).absoluteFilePath().toStdString());
  };
  expectFound("VAZ&I-en.pdf", here.filePath(QStringLiteral("VAZ&I-en.pdf")));
  expectFound("tool-doc.pdf", onPath.filePath(QStringLiteral("tool-doc.pdf")));
  const std::string absolute = onPath.filePath(QStringLiteral("tool-doc.pdf")).toStdString();
  EXPECT_EQ(lowSearchPath(absolute), absolute);
  EXPECT_TRUE(lowSearchPath("VAZ&I-ro.pdf").empty());
  EXPECT_TRUE(lowSearchPath("").empty());
  EXPECT_EQ(lowCurrentDirectory(), QDir::currentPath().toStdString());
}

TEST_F(SearchPathTest, OpeningAMissingDocumentFails) {
  std::vector<OpenResult> outcomes;
  const auto record = [&](OpenResult result) { outcomes.push_back(result); };
  lowOpenDocument(fileSystemPath(here.filePath(QStringLiteral("missing.pdf"))), record);
  lowOpenDocument(fileSystemPath(here.path()), record);  // a folder is no document
  EXPECT_EQ(outcomes, (std::vector<OpenResult>{OpenResult::Failed, OpenResult::Failed}));
}

}  // namespace
}  // namespace bitscope::test
