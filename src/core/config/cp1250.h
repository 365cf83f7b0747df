// Windows-1250 (Central European) <-> UTF-8.
//
// Binary files keep their texts in Windows-1250 and count lengths in its bytes; text files may be
// either. In memory every text is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace tv {

// Each byte becomes one character. The five bytes the code page leaves undefined map to the
// C1 control of the same value, so that any byte string survives a round trip.
std::string cp1250ToUtf8(std::string_view bytes);

// Each character becomes one byte; a character the code page cannot hold becomes "?", and so
// does every byte of an invalid UTF-8 sequence.
std::string utf8ToCp1250(std::string_view utf8);

// Whether every character of the UTF-8 text has a Windows-1250 byte.
bool fitsCp1250(std::string_view utf8);

// Whether the bytes form valid UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// Text read from a file: valid UTF-8 is taken as it is, anything else as Windows-1250.
std::string decodeTextFile(std::string_view bytes);

// Decodes one UTF-8 character at `pos`, advancing it; returns U+FFFD for a broken sequence
// (advancing by one byte).
char32_t nextCodePoint(std::string_view utf8, size_t& pos);
void appendUtf8(std::string& out, char32_t cp);

// Number of characters (code points) of a UTF-8 text.
size_t utf8Length(std::string_view utf8);

}  // namespace tv
