// SPDX-License-Identifier: MIT
// bitscope-cli: how decimal numbers, or encodings given bit by bit, are stored
// in IEEE 754 Binary32, Binary64 and Binary128, from the command line.
#include <cstdio>
#include <string>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "options.h"
#include "run.h"

int main(int argc, char* argv[]) {
  using namespace bitscope::cli;
#ifdef _WIN32
  // Bytes in and bytes out, as everywhere else: the C runtime's text mode would write each
  // line end as CR LF and take a Ctrl+Z byte in the input for its end.
  for (std::FILE* stream : {stdin, stdout, stderr}) _setmode(_fileno(stream), _O_BINARY);
#endif
  const ParseResult parsed = parseOptions(argc, argv);
  if (!parsed.error.empty()) {
    const std::string message = "bitscope-cli: " + parsed.error + "\n";
    std::fputs(message.c_str(), stderr);
    std::fwrite(usageText().data(), 1, usageText().size(), stderr);
    return static_cast<int>(ExitStatus::usageError);
  }
  if (parsed.options.help || parsed.options.version) {
    if (parsed.options.help)
      std::fwrite(usageText().data(), 1, usageText().size(), stdout);
    else
      std::fputs("bitscope-cli " BITSCOPE_VERSION "\n", stdout);
    return std::fflush(stdout) == 0 ? 0 : static_cast<int>(ExitStatus::ioError);
  }
  return static_cast<int>(run(parsed.options));
}
