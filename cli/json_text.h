// SPDX-License-Identifier: MIT
// Writing arbitrary bytes as the contents of a JSON string that is always valid
// UTF-8, whatever the bytes are.
//
// Rules, applied from the first byte on:
//  1. A complete, well-formed UTF-8 sequence (no overlong form, no surrogate,
//     nothing above U+10FFFF) stands for its character.
//  2. Any other byte stands alone for the Windows-1252 character it encodes
//     (the program's own code page, text/cp1252.h): 0xE9 is "é", 0x80 is "€".
//     The five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F,
//     0x90, 0x9D) are the C1 controls of the same value, and so written by
//     rule 3 as \u0081 ...: the byte stays recognisable. Decoding then resumes
//     at the next byte.
//  3. Control characters (U+0000-U+001F, U+007F-U+009F) are written as \u00XX;
//     '"' and '\' are escaped with a backslash; everything else is written as
//     its UTF-8 bytes.
#pragma once

#include <cstddef>
#include <string_view>

#include "output_buffer.h"

namespace bitscope::cli {

// Writes `bytes` escaped by the rules above (without the surrounding quotes).
void putJsonEscaped(OutputBuffer& out, std::string_view bytes);

// Writes as a quoted JSON string a text that needs no escaping: printable
// ASCII without '"' or '\', as every text the engine makes is (digits, signs,
// letters, blanks and punctuation). Such a text is copied as it stands, which
// is several times cheaper than escaping it; a debug build checks the promise.
void putPlainJsonString(OutputBuffer& out, std::string_view text);

// The length of the tail of `bytes` that is a proper prefix of a well-formed
// UTF-8 sequence (0 to 3 bytes): a reader that hands bytes over in pieces holds
// such a tail back, so that no character is split between two pieces.
std::size_t incompleteUtf8Tail(std::string_view bytes);

}  // namespace bitscope::cli
