#pragma once

// How often something happened while a text file was imported, and the line of the first time.
struct LineTally {
    int count = 0;
    int firstLine = 0;

    void add(int line) {
        if (count++ == 0)
            firstLine = line;
    }
};

enum class TextEncoding { Windows1252, Utf8, Utf16LittleEndian, Utf16BigEndian };

// What an import made of a text file, for the user to check.
struct TextImportReport {
    TextEncoding encoding = TextEncoding::Windows1252;
    char separator = '\t';
    bool quoting = true;
    bool hasHeader = false;
    int itemCount = 0;
    // Rows whose term is empty; the item editor never makes such an item.
    LineTally rowsWithoutTerm;
    // Bytes that are no character of the file's encoding, each replaced by "?".
    LineTally replacedCharacters;
    // Items whose term an earlier item has already.
    LineTally repeatedTerms;

    // True when the items differ from what the file holds.
    bool changedAnything() const { return rowsWithoutTerm.count > 0 || replacedCharacters.count > 0; }
};
