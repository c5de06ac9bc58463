// SPDX-License-Identifier: MIT
// Starting the program with posix_spawn and talking to it through file descriptors.
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <stdexcept>

#include "cli_runner.h"

namespace bitscope::testing {

namespace {

// posix_spawn's argument vector over command (which must outlive it).
std::vector<char*> argumentVector(std::vector<std::string>& command) {
  std::vector<char*> argv;
  for (std::string& a : command) argv.push_back(a.data());
  argv.push_back(nullptr);
  return argv;
}

}  // namespace

CliRun runCliOnFile(const std::vector<std::string>& args, const std::string& inputPath,
                    const std::string& outputPath) {
  TempFile out, err;
  std::vector<std::string> command = commandLine(args);
  const std::vector<char*> argv = argumentVector(command);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, inputPath.c_str(), O_RDONLY, 0);
  const std::string& outPath = outputPath.empty() ? out.path : outputPath;
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_TRUNC, 0);
  posix_spawn_file_actions_addopen(&actions, 2, err.path.c_str(), O_WRONLY | O_TRUNC, 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " + command[0]);

  // The peak memory the kernel reports includes the spawning process's at the
  // moment of the spawn, so a caller that measures memory keeps its own small.
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  CliRun run;
  run.maxResidentKb = usage.ru_maxrss;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = out.read();
  run.err = err.read();
  return run;
}

CliPipe::CliPipe(const std::vector<std::string>& args) {
  int in[2], out[2];
  if (pipe(in) != 0 || pipe(out) != 0) throw std::runtime_error("cannot create pipes");
  std::vector<std::string> command = commandLine(args);
  const std::vector<char*> argv = argumentVector(command);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  for (const int fd : {in[0], in[1], out[0], out[1]}) posix_spawn_file_actions_addclose(&actions, fd);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  toProgram = in[1];
  fromProgram = out[0];
  if (spawned != 0) throw std::runtime_error("cannot start " + command[0]);
  process = child;
}

CliPipe::~CliPipe() {
  close(static_cast<int>(toProgram));
  close(static_cast<int>(fromProgram));
  int status = 0;
  while (waitpid(static_cast<pid_t>(process), &status, 0) < 0 && errno == EINTR) {
  }
}

void CliPipe::send(std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = write(static_cast<int>(toProgram), text.data(), text.size());
    if (n <= 0) throw std::runtime_error("cannot write to the program");
    text.remove_prefix(static_cast<std::size_t>(n));
  }
}

std::string CliPipe::receiveLine(bool& answered) {
  for (;;) {
    if (const auto nl = pending_.find('\n'); nl != std::string::npos) {
      std::string line = pending_.substr(0, nl);
      pending_.erase(0, nl + 1);
      answered = true;
      return line;
    }
    pollfd wait{static_cast<int>(fromProgram), POLLIN, 0};
    char buffer[4096];
    const ssize_t n =
        poll(&wait, 1, 60'000) == 1 ? read(static_cast<int>(fromProgram), buffer, sizeof buffer) : 0;
    if (n <= 0) {
      answered = false;
      return {};
    }
    pending_.append(buffer, static_cast<std::size_t>(n));
  }
}

}  // namespace bitscope::testing
