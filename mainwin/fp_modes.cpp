// SPDX-License-Identifier: MIT
#include "mainwin/fp_modes.h"

#include <cfenv>

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>
#endif

namespace bitscope {

void ensureIeeeDefaultModes() {
  if (std::fegetround() != FE_TONEAREST) std::fesetround(FE_TONEAREST);
#if defined(__SSE__) || defined(__x86_64__)
  // MXCSR: flush-to-zero (results) and denormals-are-zero (operands).
  constexpr unsigned flushToZero = 0x8000;
  constexpr unsigned denormalsAreZero = 0x0040;
  const unsigned csr = _mm_getcsr();
  if ((csr & (flushToZero | denormalsAreZero)) != 0) _mm_setcsr(csr & ~(flushToZero | denormalsAreZero));
#elif defined(__aarch64__)
  // FPCR bit 24: flush-to-zero for both operands and results.
  constexpr unsigned long flushToZero = 1UL << 24;
  const unsigned long fpcr = __builtin_aarch64_get_fpcr64();
  if ((fpcr & flushToZero) != 0) __builtin_aarch64_set_fpcr64(fpcr & ~flushToZero);
#endif
}

}  // namespace bitscope
