// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "engine/decimal_text.h"

namespace bitscope {
namespace {

// Every text the engine reads and prints for a few values of each format, in one string.
std::string engineTexts() {
  std::string all;
  const char* inputs[] = {"1.5", "-0.1", "3.25E+2", "1e-40", "123456.789d-3"};
  for (const int formatBytes : {4, 8, 16}) {
    for (const char* input : inputs) {
      FormatValues v;
      all += std::to_string(static_cast<int>(readDecimal(formatBytes, input, v))) + ' ';
      for (const PrintStyle style :
           {PrintStyle::XDisplay, PrintStyle::NeighbourDecimal, PrintStyle::DeltaStyle,
            PrintStyle::Significand, PrintStyle::ExponentInteger})
        all += formatValue(formatBytes, v, style) + ' ';
      all += '\n';
    }
  }
  return all;
}

#ifdef _WIN32
// Windows has every locale, known by its own names.
const std::pair<std::string, std::string> commaLocales[] = {{"Romanian_Romania.1250", ""},
                                                            {"German_Germany.1252", ""}};

bool makeAvailable(const std::string& name, const std::string&) {
  return std::setlocale(LC_ALL, name.c_str()) != nullptr;
}

void forgetCompiledLocales() {}
#else
const std::pair<std::string, std::string> commaLocales[] = {{"ro_RO.UTF-8", "ro_RO"},
                                                            {"de_DE.UTF-8", "de_DE"}};

// Makes a locale available: the system's if installed, otherwise one compiled from the
// system's locale sources into the build tree (once; later runs reuse it) and found through
// LOCPATH. False if neither works.
bool makeAvailable(const std::string& name, const std::string& source) {
  if (std::setlocale(LC_ALL, name.c_str()) != nullptr) return true;
  // Compile before the first look-up through LOCPATH: glibc remembers a failed look-up.
  const std::filesystem::path folder = BITSCOPE_TEST_LOCALE_DIR;
  if (!std::filesystem::exists(folder / name)) {
    std::filesystem::create_directories(folder);
    const std::string command =
        "localedef -i " + source + " -f UTF-8 '" + (folder / name).string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return false;
  }
  setenv("LOCPATH", folder.c_str(), 1);
  return std::setlocale(LC_ALL, name.c_str()) != nullptr;
}

void forgetCompiledLocales() { unsetenv("LOCPATH"); }
#endif

// The program runs under the user's locale, which may write a decimal comma; the engine's
// texts stay the same, and the engine leaves the program's locale as it found it.
TEST(Locale, TextsAreTheSameUnderLocalesWithADecimalComma) {
  std::setlocale(LC_ALL, "C");
  const std::string expected = engineTexts();
  ASSERT_NE(expected.find("+1.5000000E+00"), std::string::npos);
  std::vector<std::string> tried;
  for (const auto& [name, source] : commaLocales) {
    if (!makeAvailable(name, source)) continue;
    tried.push_back(name);
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    ASSERT_STREQ(probe, "1,5") << name << " is in effect";
    EXPECT_EQ(engineTexts(), expected) << name;
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    EXPECT_STREQ(probe, "1,5") << "the engine changed the program's locale";
    std::setlocale(LC_ALL, "C");
  }
  forgetCompiledLocales();
  if (tried.empty()) GTEST_SKIP() << "no locale with a decimal comma could be made";
}

}  // namespace
}  // namespace bitscope
