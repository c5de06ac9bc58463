// Windows-1252 <-> Unicode, for the one place where the program's single-byte
// texts meet a toolkit that speaks Unicode (the window binding).
//
// Bytes 0x00-0x7F and 0xA0-0xFF are the code points of the same value; 0x80-0x9F
// hold typographic characters (euro sign, quotes, dashes, S and Z with caron ...).
// The five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the C1 control code points of the same value, as the Windows conversion
// does, so that every byte survives a round trip. A code point that no byte
// stands for becomes "?".
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
