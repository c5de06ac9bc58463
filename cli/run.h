// SPDX-License-Identifier: MIT
// The work of bitscope-cli once its command line is understood.
#pragma once

#include "options.h"

namespace bitscope::cli {

// Exit statuses: a contract with the scripts that call the program.
enum class ExitStatus : int {
  allRead = 0,      // every value was ok or special
  someInvalid = 1,  // some value was invalid or supplied no number
  usageError = 2,   // the command line could not be understood
  ioError = 3,      // standard input could not be read or standard output written
};

// Writes one record per value (the command-line values, else one per line of
// standard input) to standard output.
ExitStatus run(const Options& options);

}  // namespace bitscope::cli
