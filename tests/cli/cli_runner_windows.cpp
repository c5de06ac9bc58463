// SPDX-License-Identifier: MIT
// Starting the program with CreateProcess and talking to it through handles: Windows has
// no fork, and its C runtime's spawn functions neither quote arguments nor redirect.
#include <windows.h>  // before the headers of the system's parts

#include <psapi.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "cli_runner.h"

namespace bitscope::testing {

namespace {

// One argument as the C runtime's command-line parser gives it back to main(): in
// quotes, with each quote escaped and the backslashes before a quote (or before the
// closing quote) doubled.
std::string quoted(const std::string& argument) {
  std::string text = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    text.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    text += c;
  }
  text.append(2 * backslashes, '\\');
  text += '"';
  return text;
}

std::string commandText(const std::vector<std::string>& command) {
  std::string text;
  for (const std::string& argument : command) {
    if (!text.empty()) text += ' ';
    text += quoted(argument);
  }
  return text;
}

// Closed on every way out, a failed start included: a test process that throws and
// goes on to the next case must not keep files and pipes open behind it.
struct HandleCloser {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

// A handle the child inherits as one of its standard streams.
OwnedHandle inheritedFile(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE file = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                  disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
  return OwnedHandle(file);
}

HANDLE start(const std::vector<std::string>& command, HANDLE in, HANDLE out, HANDLE err) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION started{};
  std::string text = commandText(command);
  if (!CreateProcessA(nullptr, text.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started))
    throw std::runtime_error("cannot start " + command[0] + " (error " + std::to_string(GetLastError()) +
                             ")");
  CloseHandle(started.hThread);
  return started.hProcess;
}

HANDLE handleOf(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

// Wine's peak working set counts more than the process's own pages: a run that holds 8 MB
// whatever its input, seen from Linux, reports 8 MB more for a 24 MB input. Its figure
// proves nothing either way.
bool underWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace

CliRun runCliOnFile(const std::vector<std::string>& args, const std::string& inputPath,
                    const std::string& outputPath) {
  TempFile out, err;
  OwnedHandle process;
  {
    const OwnedHandle in = inheritedFile(inputPath, GENERIC_READ, OPEN_EXISTING);
    const OwnedHandle output =
        inheritedFile(outputPath.empty() ? out.path : outputPath, GENERIC_WRITE, TRUNCATE_EXISTING);
    const OwnedHandle error = inheritedFile(err.path, GENERIC_WRITE, TRUNCATE_EXISTING);
    process.reset(start(commandLine(args), in.get(), output.get(), error.get()));
  }
  WaitForSingleObject(process.get(), INFINITE);
  CliRun run;
  DWORD code = 0;
  if (GetExitCodeProcess(process.get(), &code)) run.exitCode = static_cast<int>(code);
  PROCESS_MEMORY_COUNTERS memory{};
  if (!underWine() && GetProcessMemoryInfo(process.get(), &memory, sizeof memory))
    run.maxResidentKb = static_cast<long>(memory.PeakWorkingSetSize / 1024);
  process.reset();
  run.out = out.read();
  run.err = err.read();
  return run;
}

CliPipe::CliPipe(const std::vector<std::string>& args) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE ends[4] = {};  // the child's input, the test's output to it, the test's input, the child's output
  const bool made =
      CreatePipe(&ends[0], &ends[1], &inherit, 0) && CreatePipe(&ends[2], &ends[3], &inherit, 0);
  OwnedHandle childIn(ends[0]), parentOut(ends[1]), parentIn(ends[2]), childOut(ends[3]);
  if (!made) throw std::runtime_error("cannot create pipes");
  // The test's own ends stay out of the child, or its input would never end.
  SetHandleInformation(parentOut.get(), HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(parentIn.get(), HANDLE_FLAG_INHERIT, 0);
  const HANDLE child =
      start(commandLine(args), childIn.get(), childOut.get(), GetStdHandle(STD_ERROR_HANDLE));
  process = reinterpret_cast<std::intptr_t>(child);
  toProgram = reinterpret_cast<std::intptr_t>(parentOut.release());
  fromProgram = reinterpret_cast<std::intptr_t>(parentIn.release());
}

CliPipe::~CliPipe() {
  CloseHandle(handleOf(toProgram));
  CloseHandle(handleOf(fromProgram));
  WaitForSingleObject(handleOf(process), INFINITE);
  CloseHandle(handleOf(process));
}

void CliPipe::send(std::string_view text) {
  while (!text.empty()) {
    DWORD written = 0;
    if (!WriteFile(handleOf(toProgram), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written == 0)
      throw std::runtime_error("cannot write to the program");
    text.remove_prefix(written);
  }
}

std::string CliPipe::receiveLine(bool& answered) {
  // An anonymous pipe cannot be waited on with a limit: it is asked how much it holds
  // until the minute is over.
  const ULONGLONG giveUp = GetTickCount64() + 60'000;
  for (;;) {
    if (const auto nl = pending_.find('\n'); nl != std::string::npos) {
      std::string line = pending_.substr(0, nl);
      pending_.erase(0, nl + 1);
      answered = true;
      return line;
    }
    DWORD available = 0;
    if (!PeekNamedPipe(handleOf(fromProgram), nullptr, 0, nullptr, &available, nullptr) ||
        (available == 0 && GetTickCount64() > giveUp)) {
      answered = false;
      return {};
    }
    if (available == 0) {
      Sleep(10);
      continue;
    }
    char buffer[4096];
    DWORD n = 0;
    if (!ReadFile(handleOf(fromProgram), buffer, sizeof buffer, &n, nullptr) || n == 0) {
      answered = false;
      return {};
    }
    pending_.append(buffer, n);
  }
}

}  // namespace bitscope::testing
