// SPDX-License-Identifier: MIT
// The program's entry routine: the whole run of Bitscope.
#include "mainwin/program.h"

#include "mainwin/startup.h"

namespace bitscope {

int programMain(int showMode) { return runBitscope(showMode); }

}  // namespace bitscope
