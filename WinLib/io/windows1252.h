#pragma once

// windows-1252 against Unicode. The five bytes the code page leaves undefined stand for the control
// characters of the same value, as the system's own conversion has them, so that every byte survives a trip
// through Unicode and back.
namespace Win::IO::Windows1252 {

char32_t toUnicode(unsigned char byte);
// The byte for the character, or -1 when the code page has none.
int fromUnicode(char32_t character);

} // namespace Win::IO::Windows1252
