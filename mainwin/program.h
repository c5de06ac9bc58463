// SPDX-License-Identifier: MIT
// The program's entry routine, called by the process entry of the window
// binding once the toolkit is up.
#pragma once

namespace bitscope {

// showMode: the platform's show command for the main window (1 = normal).
// Returns the process exit code.
int programMain(int showMode);

}  // namespace bitscope
