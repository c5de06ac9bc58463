// Internal to the engine: the Binary128 text conversions of libquadmath, always under the
// C locale. quad.cpp is the only file that includes quadmath.h.
#pragma once

#include <cstddef>

#include "engine/numbers.h"

namespace bitscope::detail {

// strtoflt128 of a NUL-terminated text whose decimal point is '.': the correctly rounded
// Binary128 value (an infinity when it overflows); *end receives the first unread character.
Binary128 parseBinary128(const char* text, const char** end);

// quadmath_snprintf with one conversion: "%.*Qe" (scientific) or "%.*Qf" (fixed) with the
// given digits after the point. Returns the length the full text needs (as snprintf does).
int printBinary128(char* buffer, std::size_t size, bool scientific, int digits, Binary128 value);

} // namespace bitscope::detail
