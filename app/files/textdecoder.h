#pragma once

#include "textimportreport.h"

#include <string>
#include <string_view>

struct DecodedText {
    std::string text; // in windows-1252
    TextEncoding encoding = TextEncoding::Windows1252;
    LineTally replacedCharacters;
};

// Turns the bytes of a text file into the program's code page. A byte-order mark decides the
// encoding (UTF-8, UTF-16 little or big endian) and is dropped; without one, bytes that are valid
// UTF-8 and not all ASCII are UTF-8, anything else is windows-1252 already. A character the code
// page cannot hold, or bytes that are no character of the encoding, become "?" and are counted.
// The bytes are converted where they are. Without a mark, bytes that look like ASCII in UTF-16
// (zero bytes every second byte) are UTF-16.
DecodedText decodeText(std::string bytes);
TextEncoding detectEncoding(std::string_view bytes);
// In the encoding given; a byte-order mark of that encoding is dropped.
DecodedText decodeText(std::string bytes, TextEncoding encoding);
