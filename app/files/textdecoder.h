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
DecodedText decodeText(std::string bytes);
