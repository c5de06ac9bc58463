// SPDX-License-Identifier: MIT
// Windows-1252 <-> Unicode: the one table of the program's code page, for every
// place where its single-byte texts meet something that speaks Unicode (the
// window binding, bitscope-cli's JSON, file names shown in messages).
//
// Bytes 0x00-0x7F and 0xA0-0xFF are the code points of the same value; 0x80-0x9F
// hold typographic characters (euro sign, quotes, dashes, S and Z with caron ...).
// The five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the C1 control code points of the same value, U+0081 ... U+009D. That is
// what the Windows conversion and the web's definition of the code page both do,
// and it is the only choice that loses nothing: every one of the 256 bytes comes
// back from its code point, so a text passed out and read back in is unchanged,
// and a reader of the JSON can still tell which of the five stood there. Mapping them to
// U+FFFD would merge five bytes into one character that maps back to none. A code
// point that no byte stands for becomes "?".
#pragma once

#include <string>
#include <string_view>

namespace bitscope {

constexpr char cp1252Unmappable = '?';

char32_t cp1252ToUnicode(unsigned char byte);
// The byte for a code point, or cp1252Unmappable when Windows-1252 lacks it.
char cp1252FromUnicode(char32_t codePoint);

std::u32string cp1252ToUnicode(std::string_view text);
std::string cp1252FromUnicode(std::u32string_view text);

// UTF-8 bytes (a file name, as Linux file systems hold them) as a text the
// program can show. A byte that starts no valid sequence stands for itself, as
// an 8-bit file name of an older system would; it is never dropped.
std::string cp1252FromUtf8(std::string_view bytes);

}  // namespace bitscope
