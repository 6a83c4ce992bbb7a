// UTF-8, the form of every text inside the program.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qeln {

// Appends one code point as UTF-8.
void appendUtf8(std::string& out, char32_t cp);

// Reads the code point at s[i]; returns its byte count, or 0 when the bytes
// there are not well-formed UTF-8 (overlong forms, surrogates and values above
// U+10FFFF are not).
std::size_t nextCodePoint(std::string_view s, std::size_t i, char32_t& cp);

// True when `bytes` is well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

// Number of characters (code points) of valid UTF-8 text.
std::size_t utf8Length(std::string_view utf8);

// The first n characters of valid UTF-8 text (all of it when shorter); never
// splits a character.
std::string utf8Prefix(std::string_view utf8, std::size_t n);

// The text as it may be shown in a listing or on a terminal: control
// characters (U+0000 to U+001F, U+007F to U+009F, the tab included), the
// bidirectional controls (U+202A to U+202E, U+2066 to U+2069) and bytes
// that are not valid UTF-8 become U+FFFD, so that a text from a file can
// neither move the cursor nor send commands to a terminal, nor hide itself.
std::string visibleText(std::string_view s);

// Cuts a text to at most n characters (UTF-8 aware: never splits a character).
std::string cutText(const std::string& s, int n);

} // namespace qeln
