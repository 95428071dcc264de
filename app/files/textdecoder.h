#pragma once

#include "textimportreport.h"

#include <string>
#include <string_view>

struct DecodedText {
    std::string text; // in UTF-8
    TextEncoding encoding = TextEncoding::Windows1252;
    LineTally replacedCharacters;
};

// Turns the bytes of a text file into the program's UTF-8, keeping every character. A byte-order
// mark decides the encoding (UTF-8, UTF-16 little or big endian) and is dropped; without one, bytes
// that are valid UTF-8 and not all ASCII are UTF-8, anything else is in the legacy code page. Only
// bytes that are no character of the encoding they are in become "?", counted.
// Without a mark, bytes that look like ASCII in UTF-16 (zero bytes every second byte) are UTF-16.
DecodedText decodeText(std::string bytes);
TextEncoding detectEncoding(std::string_view bytes);
// In the encoding given, from the byte at start (after a byte-order mark).
DecodedText decodeText(std::string bytes, TextEncoding encoding, std::size_t start = 0);
// The size of that encoding's byte-order mark at the start of the bytes, or 0.
std::size_t byteOrderMarkSize(std::string_view bytes, TextEncoding encoding);

struct TextUtf8Check {
    bool wellFormed = true;
    bool highBytes = false; // any byte beyond ASCII
};
// Whether the bytes are well-formed UTF-8; a large text is checked piece by piece, cut between
// characters.
TextUtf8Check checkUtf8(std::string_view bytes);
