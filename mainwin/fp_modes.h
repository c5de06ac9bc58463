// SPDX-License-Identifier: MIT
// The floating-point modes the whole run relies on.
#pragma once

namespace bitscope {

// Puts the processor in the IEEE 754 default modes if anything changed them: round to
// nearest with ties to even, and gradual underflow (no flush of subnormal results to
// zero, no subnormal operands taken as zero). The Delta of the parameter list is only
// exact under these modes.
void ensureIeeeDefaultModes();

}  // namespace bitscope
