// 8-bit code pages of xBase tables and of project files, and UTF-8 checks.
// Text inside the program is UTF-8; files keep their own 8-bit code page.
#pragma once

#include "present/utf8.h"

#include <string>
#include <string_view>

namespace qeln {

enum class CodePage {
    windows1252,   // Windows ANSI, Western Europe (also used when a table is unmarked)
    dos437,        // DOS, United States
    dos850,        // DOS, multilingual Latin 1
};

// Decodes 8-bit text to UTF-8. Every byte has a meaning, so this never fails;
// the five bytes that Windows-1252 leaves undefined become U+0081, U+008D,
// U+008F, U+0090 and U+009D, as on Windows.
std::string decodeToUtf8(std::string_view bytes, CodePage page);

// Encodes UTF-8 text in the code page. Returns false, leaving `out` in an
// unspecified state, when the text is not valid UTF-8 or holds a character
// that the code page has no byte for.
bool encodeFromUtf8(std::string_view utf8, CodePage page, std::string& out);

// True when some byte is 0x80 or above.
bool hasNonAscii(std::string_view bytes);

} // namespace qeln
