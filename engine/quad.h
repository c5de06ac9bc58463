// SPDX-License-Identifier: MIT
// Internal to the engine: the Binary128 text conversions, always under the C locale.
// quad.cpp is the only file that knows which library performs them (engine/binary128.h).
#pragma once

#include <cstddef>

#include "engine/numbers.h"

namespace bitscope::detail {

// The C library's strtold or libquadmath's strtoflt128 of a NUL-terminated text whose decimal
// point is '.': the correctly rounded Binary128 value (an infinity when it overflows); *end
// receives the first unread character.
Binary128 parseBinary128(const char* text, const char** end);

// printf with one conversion, "%.*e" (scientific) or "%.*f" (fixed) with the given digits
// after the point, correctly rounded. Returns the length the full text needs (as snprintf
// does).
int printBinary128(char* buffer, std::size_t size, bool scientific, int digits, Binary128 value);

}  // namespace bitscope::detail
