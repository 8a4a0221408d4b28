// Conversion between UTF-8 (quiz sources, the tool's command line) and the
// Windows-1252 bytes that every text of the player is made of.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Converts utf8 to Windows-1252. Returns false when the input is not valid
// UTF-8 or holds a character that Windows-1252 cannot hold; *bad_offset then
// gives the byte offset of that character in utf8. out is written only on
// success.
bool Utf8ToCp1252(std::string_view utf8, std::string* out, size_t* bad_offset);

// Converts Windows-1252 bytes to UTF-8. The five bytes that Windows-1252
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+0081 and so on,
// as Windows itself maps them.
std::string Cp1252ToUtf8(std::string_view bytes);
