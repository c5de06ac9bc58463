// SPDX-License-Identifier: MIT
// "Save to File": the chooser's request, the file byte for byte, the boxes that
// tell the outcome, and every failure leaving the disk as it was.
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <tuple>

#include "golden_summary.h"
#include "handler_fixture.h"

namespace bitscope::testing {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A name given in UTF-8, as the chooser hands it over on every system (a narrow name would
// be read in the ANSI code page on Windows).
fs::path utf8Path(const char* bytes) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(bytes)));
}

// Every entry below folder with its content ("<folder>" for a folder).
std::map<fs::path, std::string> snapshot(const fs::path& folder) {
  std::map<fs::path, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    entries[entry.path()] = entry.is_directory() ? "<folder>" : readFile(entry.path());
  return entries;
}

class SaveSummaryTest : public HandlerTest {
 protected:
  void SetUp() override {
    HandlerTest::SetUp();
    std::mt19937 pick(std::random_device{}());
    do folder_ = fs::path(::testing::TempDir()) / ("summary-" + std::to_string(pick()));
    while (!fs::create_directory(folder_));
  }
  void TearDown() override {
    // Windows deletes no read-only file.
    for (const auto& entry : fs::recursive_directory_iterator(folder_))
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
    fs::remove_all(folder_);
    HandlerTest::TearDown();
  }

  // Opens the summary, answers the chooser (and Yes to its question, if it
  // asks one) and presses "Save to File".
  void save(std::optional<fs::path> chosen) {
    LowWindow* window = pressSummary();
    ASSERT_NE(window, nullptr);
    simAnswerFileChooser(std::move(chosen));
    simAnswerChooserQuestion(true);
    ASSERT_TRUE(simClick(window, saveButton));
  }

  void expectSavedBox(const std::string& path) {
    ASSERT_EQ(simMessageBoxes().size(), 1u);
    const SimMessageBox& box = simMessageBoxes()[0];
    EXPECT_EQ(box.text, path);
    EXPECT_EQ(box.caption, "Saved to File");
    EXPECT_EQ(box.icon, MessageIcon::Information);
    EXPECT_EQ(box.owner, nullptr);
  }

  fs::path folder_;
};

class SavedFileTest : public SaveSummaryTest, public ::testing::WithParamInterface<Language> {};

TEST_P(SavedFileTest, HoldsFourteenRecordsOfTheLanguageByteForByte) {
  switchLanguage(GetParam());
  const std::string path = (folder_ / "summary.txt").string();
  save(path);
  EXPECT_EQ(readFile(path), expectedFile(GetParam()));
  expectSavedBox(path);
  EXPECT_EQ(snapshot(folder_).size(), 1u) << "no temporary file left beside it";
  // The new file was created only after the chooser asked, in the window's language.
  ASSERT_EQ(simChooserQuestions().size(), 1u);
  EXPECT_EQ(simChooserQuestions()[0].kind, SimChooserQuestion::Kind::Create);
  EXPECT_EQ(simChooserQuestions()[0].path, path);
  EXPECT_EQ(simChooserQuestions()[0].language, GetParam() == Language::English ? "en" : "ro");
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, SavedFileTest,
                         ::testing::Values(Language::Romanian, Language::English));

TEST_F(SaveSummaryTest, ChooserAsksForATextFileInTheCurrentFolder) {
  simSetCurrentDirectory("/home/student/work");
  save(std::nullopt);
  ASSERT_EQ(simFileChooserRequests().size(), 1u);
  const FileChooserRequest& request = simFileChooserRequests()[0];
  EXPECT_EQ(request.title, "Saved Topic");
  const decltype(request.filters) filters{
      {"Text Files (*.txt)", "*.txt"}, {"Data Files (*.dat)", "*.dat"}, {"All files (*.*)", "*.*"}};
  EXPECT_EQ(request.filters, filters);
  EXPECT_EQ(request.filterIndex, 1);
  EXPECT_EQ(request.defaultExtension, "txt");
  EXPECT_EQ(request.initialDirectory, "/home/student/work");
  EXPECT_TRUE(request.pathMustExist);
  EXPECT_TRUE(request.promptCreate);
  EXPECT_TRUE(request.promptOverwrite);
  // Cancelled: nothing written, nothing said.
  EXPECT_TRUE(simMessageBoxes().empty());
  EXPECT_TRUE(snapshot(folder_).empty());
}

TEST_F(SaveSummaryTest, WritesTheLanguageOfThePressNotThatOfTheOpenWindow) {
  LowWindow* window = pressSummary();  // Romanian
  ASSERT_NE(window, nullptr);
  switchLanguage(Language::English);
  const std::string path = (folder_ / "summary.txt").string();
  simAnswerFileChooser(path);
  simAnswerChooserQuestion(true);
  ASSERT_TRUE(simClick(window, saveButton));
  EXPECT_EQ(readFile(path), expectedFile(Language::English));
}

TEST_F(SaveSummaryTest, ReplacesAnExistingFileKeepingItsPermissions) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows files have a read-only attribute, not permission bits";
#endif
  const fs::path path = folder_ / "old.txt";
  writeFile(path, "an older and much longer content than the summary ... " + std::string(2000, 'x'));
  fs::permissions(path, fs::perms(0640));
  save(path.string());
  EXPECT_EQ(readFile(path), expectedFile(Language::Romanian));
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
  EXPECT_EQ(snapshot(folder_).size(), 1u);
}

TEST_F(SaveSummaryTest, WritesThroughASymbolicLink) {
#ifdef _WIN32
  GTEST_SKIP() << "making a symbolic link takes a privilege on Windows";
#endif
  writeFile(folder_ / "real.txt", "old");
  fs::create_symlink("real.txt", folder_ / "link.txt");
  save((folder_ / "link.txt").string());
  EXPECT_TRUE(fs::is_symlink(folder_ / "link.txt"));
  EXPECT_EQ(readFile(folder_ / "real.txt"), expectedFile(Language::Romanian));
}

// Trailing blanks are part of a name here: "notes.txt " is another file than
// "notes.txt", and the chooser asked about the name with its blank.
TEST_F(SaveSummaryTest, WritesTheNameExactlyAsChosenTrailingBlanksIncluded) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows drops trailing blanks from every file name it is given";
#endif
  writeFile(folder_ / "notes.txt", "my notes");
  const fs::path chosen = folder_ / "notes.txt ";
  save(chosen);
  EXPECT_EQ(readFile(chosen), expectedFile(Language::Romanian));
  EXPECT_EQ(readFile(folder_ / "notes.txt"), "my notes");
  ASSERT_EQ(simChooserQuestions().size(), 1u);
  EXPECT_EQ(simChooserQuestions()[0].kind, SimChooserQuestion::Kind::Create);
  EXPECT_EQ(simChooserQuestions()[0].path, chosen);
  expectSavedBox(chosen.string());
}

// Names that Windows-1252 cannot spell are written all the same; only the box
// that names the file shows "?" for what it cannot spell.
TEST_F(SaveSummaryTest, WritesToNamesBeyondTheProgramsCodePage) {
  struct Row {
    const char* folder;
    const char* name;
    const char* shown;  // folder/name as the box shows it
  };
  const Row rows[] = {
      {"\xC8\x99tiin\xC8\x9B"
       "e",
       "rezumat.txt", "?tiin?e/rezumat.txt"},                                               // științe
      {"\xD0\x94\xD0\xBE\xD0\xBA", "\xC3\xA9t\xC3\xA9.txt", "\x3F\x3F\x3F/\xE9t\xE9.txt"},  // Док, été
      {"notes", "sum \xF0\x9F\x93\x84.txt", "notes/sum ?.txt"},                             // an emoji
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.shown);
    fs::create_directory(folder_ / utf8Path(row.folder));
    const fs::path chosen = folder_ / utf8Path(row.folder) / utf8Path(row.name);
    save(chosen);
    EXPECT_EQ(readFile(chosen), expectedFile(Language::Romanian));
    ASSERT_FALSE(simMessageBoxes().empty());
    std::string shown = row.shown;  // Windows-1252 bytes, folders apart with the system's separator
    std::replace(shown.begin(), shown.end(), '/', static_cast<char>(fs::path::preferred_separator));
    EXPECT_EQ(simMessageBoxes().back().text, (folder_ / "").string() + shown);
    EXPECT_EQ(simMessageBoxes().back().caption, "Saved to File");
    EXPECT_EQ(snapshot(folder_ / utf8Path(row.folder)).size(), 1u);
  }
}

TEST_F(SaveSummaryTest, NoToACreateOrReplaceQuestionWritesNothing) {
  writeFile(folder_ / "old.txt", "kept");
  const auto before = snapshot(folder_);
  LowWindow* window = pressSummary();
  ASSERT_NE(window, nullptr);
  switchLanguage(Language::English);
  // No to creating, No to replacing: the chooser stays open; then Cancel.
  simAnswerFileChooser(folder_ / "new.txt");
  simAnswerFileChooser(folder_ / "old.txt");
  simAnswerFileChooser(std::nullopt);
  simAnswerChooserQuestion(false);
  simAnswerChooserQuestion(false);
  ASSERT_TRUE(simClick(window, saveButton));
  EXPECT_EQ(simChooserQuestions().size(), 2u);
  EXPECT_EQ(snapshot(folder_), before);
  EXPECT_TRUE(simMessageBoxes().empty());
}

// ---- Failures: an error box in the current language, the disk as it was ----

struct Failure {
  const char* name;
  // Makes the situation below folder and returns the path the user chooses.
  std::string (*prepare)(const fs::path& folder);
  const char* romanianReason;
  const char* englishReason;
  bool limitFileSize = false;  // writes stop after a few bytes, as on a full disk
};
void PrintTo(const Failure& failure, std::ostream* out) { *out << failure.name; }

constexpr const char* romanianAccess = "Scrierea nu este permisa (fisier sau director protejat la scriere).";
constexpr const char* englishAccess = "Writing is not allowed (read-only file or folder).";
constexpr const char* romanianFull = "Discul este plin (sau fisierul este prea mare).";
constexpr const char* englishFull = "The disk is full (or the file is too large).";

const Failure failures[] = {
    {"FolderChosenAsTheFile",
     [](const fs::path& folder) {
       fs::create_directory(folder / "notes");
       writeFile(folder / "notes" / "kept.txt", "kept");
       return (folder / "notes").string();
     },
     "Numele este al unui director, nu al unui fisier.", "The name is that of a folder, not of a file."},
    {"MissingFolder", [](const fs::path& folder) { return (folder / "gone" / "s.txt").string(); },
     "Directorul nu exista.", "The folder does not exist."},
    {"ReadOnlyFile",
     [](const fs::path& folder) {
       writeFile(folder / "locked.txt", "locked");
       fs::permissions(folder / "locked.txt", fs::perms(0444));
       return (folder / "locked.txt").string();
     },
     romanianAccess, englishAccess},
#ifndef _WIN32
    // Nothing can be created in /sys, not even by the superuser (who passes
    // the permission checks of an ordinary read-only folder).
    {"FolderWhereNothingCanBeCreated",
     [](const fs::path&) { return std::string("/sys/bitscope-summary.txt"); }, romanianAccess, englishAccess},
    {"FullDevice", [](const fs::path&) { return std::string("/dev/full"); }, romanianFull, englishFull},
    {"DiskFullWhileReplacing",
     [](const fs::path& folder) {
       writeFile(folder / "kept.txt", "the previous summary");
       return (folder / "kept.txt").string();
     },
     romanianFull, englishFull, true},
#endif
};

class SaveFailureTest : public SaveSummaryTest,
                        public ::testing::WithParamInterface<std::tuple<Failure, Language>> {
 protected:
#ifndef _WIN32
  void TearDown() override {
    if (limited_) ::setrlimit(RLIMIT_FSIZE, &savedLimit_);
    SaveSummaryTest::TearDown();
  }
  void limitFileSize() {
    std::signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &savedLimit_), 0);
    rlimit small = savedLimit_;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    limited_ = true;
  }

  rlimit savedLimit_{};
  bool limited_ = false;
#else
  void limitFileSize() { FAIL() << "no file size limit for a process on Windows"; }
#endif
};

TEST_P(SaveFailureTest, IsReportedAndLeavesEverythingAsItWas) {
  const auto& [failure, language] = GetParam();
  switchLanguage(language);
  const std::string path = failure.prepare(folder_);
  const auto before = snapshot(folder_);
  if (failure.limitFileSize) limitFileSize();

  save(path);

  const bool english = language == Language::English;
  ASSERT_EQ(simMessageBoxes().size(), 1u) << "and nothing reported as saved";
  const SimMessageBox& box = simMessageBoxes()[0];
  EXPECT_EQ(box.text, std::string(english ? "The summary was not saved to the file:"
                                          : "Rezumatul nu a fost salvat in fisierul:") +
                          "\n" + path + "\n" + (english ? failure.englishReason : failure.romanianReason));
  EXPECT_EQ(box.caption, english ? "Error" : "Eroare");
  EXPECT_EQ(box.icon, MessageIcon::Error);
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_EQ(snapshot(folder_), before) << "no partial or temporary file, old content kept";
  EXPECT_FALSE(fs::exists("/sys/bitscope-summary.txt"));
}

INSTANTIATE_TEST_SUITE_P(Rows, SaveFailureTest,
                         ::testing::Combine(::testing::ValuesIn(failures),
                                            ::testing::Values(Language::Romanian, Language::English)),
                         [](const auto& row) {
                           return std::string(std::get<0>(row.param).name) +
                                  (std::get<1>(row.param) == Language::English ? "_English" : "_Romanian");
                         });

}  // namespace
}  // namespace bitscope::testing
