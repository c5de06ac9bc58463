// SPDX-License-Identifier: MIT
// Runs the built bitscope-cli as a separate process, the way a user or a
// script does: arguments, bytes on standard input, and what comes back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bitscope::testing {

// The program and its arguments, behind the emulator when the build is for another
// processor (BITSCOPE_CLI_EMULATOR, the one the tests themselves run under; empty when native).
std::vector<std::string> commandLine(const std::vector<std::string>& args);

// A temporary file removed when it goes out of scope. Files rather than pipes keep
// the harness free of deadlocks however much the program writes.
struct TempFile {
  std::string path;
  TempFile();
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  std::string read() const;
};

struct CliRun {
  int exitCode = -1;  // -1: the process did not exit normally
  std::string out;
  std::string err;
  long maxResidentKb = -1;  // the largest resident memory the process used; -1 where not measured
};

// Runs the program with `args`, feeding `input` on standard input.
CliRun runCli(const std::vector<std::string>& args, std::string_view input = {});

// Runs the program with the file `inputPath` on standard input; standard
// output goes to `outputPath` when one is given (then `out` stays empty).
CliRun runCliOnFile(const std::vector<std::string>& args, const std::string& inputPath,
                    const std::string& outputPath = {});

// The program running with pipes on standard input and output, for a test
// that talks to it line by line as another program would.
struct CliPipe {
  std::intptr_t process = -1;      // a process id, or a process handle on Windows
  std::intptr_t toProgram = -1;    // its standard input
  std::intptr_t fromProgram = -1;  // its standard output

  explicit CliPipe(const std::vector<std::string>& args);
  ~CliPipe();  // closes its input and waits for it
  CliPipe(const CliPipe&) = delete;
  CliPipe& operator=(const CliPipe&) = delete;

  void send(std::string_view text);
  // The next line of its output (without "\n"); empty with `answered` false
  // when none comes within a minute, so that a program that waits for more
  // input fails the test instead of hanging it.
  std::string receiveLine(bool& answered);

 private:
  std::string pending_;
};

}  // namespace bitscope::testing
