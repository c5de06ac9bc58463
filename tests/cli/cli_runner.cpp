// SPDX-License-Identifier: MIT
#include "cli_runner.h"

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string_view>

namespace bitscope::testing {

namespace {

// The program under test: BITSCOPE_CLI from the environment, else the path the
// build gave this test.
std::string programPath() {
  if (const char* env = std::getenv("BITSCOPE_CLI"); env != nullptr && *env != '\0') return env;
  return BITSCOPE_CLI_PATH;
}

}  // namespace

std::vector<std::string> commandLine(const std::vector<std::string>& args) {
  std::vector<std::string> command;
  if (const std::string_view emulator = BITSCOPE_CLI_EMULATOR; !emulator.empty())
    command.emplace_back(emulator);
  command.push_back(programPath());
  command.insert(command.end(), args.begin(), args.end());
  return command;
}

TempFile::TempFile() {
  std::string name = (std::filesystem::temp_directory_path() / "bitscope-cli-test-XXXXXX").string();
  const int fd = mkstemp(name.data());
  if (fd < 0) throw std::runtime_error("cannot create a temporary file");
  close(fd);
  path = name;
}

TempFile::~TempFile() { std::remove(path.c_str()); }

std::string TempFile::read() const {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

CliRun runCli(const std::vector<std::string>& args, std::string_view input) {
  TempFile in;
  {
    std::ofstream file(in.path, std::ios::binary);
    file.write(input.data(), static_cast<std::streamsize>(input.size()));
  }
  return runCliOnFile(args, in.path);
}

}  // namespace bitscope::testing
