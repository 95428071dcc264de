#pragma once

#include "textimportreport.h"

#include "app/model/lorvant.h"

#include <stdexcept>
#include <string>

// Makes a new study list from a text table as people have them: a word list, a spreadsheet saved
// as CSV or Unicode text, the program's own tab-delimited export. The text is decoded to the
// program's code page (decodeText), split into rows (TableReader) and made into items numbered in
// file order, with zero scores and default settings.
//
// The first row is a header when it has two cells or more and its last cell is "Comment" in any
// letter case: it names the item type and the fields, and the last column holds comments.
// Otherwise every row is an item and the outline is made from the widest row: up to two columns
// take the default outline, more take "Term" and "Field 1", "Field 2", ... Missing cells are
// empty; rows without a term are skipped and counted.
class TextImporter {
public:
    enum class Refusal { NoRows, TooManyCells, TooManyFields, TooManyItems, RepeatedFieldDiffers };

    // The text cannot be made into a study list without losing data; nothing was made.
    class Error : public std::runtime_error {
    public:
        Error(Refusal refusal, int line, const std::string& message, const std::string& fieldName = "")
            : std::runtime_error(message), _refusal(refusal), _line(line), _fieldName(fieldName) {}
        Refusal getRefusal() const { return _refusal; }
        // The line the refused row begins on; 0 when no one line is to blame.
        int getLine() const { return _line; }
        const std::string& getFieldName() const { return _fieldName; }

    private:
        Refusal _refusal;
        int _line;
        std::string _fieldName;
    };

    // A separator of 0 (tab, semicolon or comma) is detected from the first rows.
    explicit TextImporter(char separator = 0) : _separator(separator) {}

    // The new study list is untitled and modified.
    StudyList read(std::string bytes);
    const TextImportReport& getReport() const { return _report; }

private:
    TextImportReport _report;
    char _separator;
};
