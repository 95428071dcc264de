#pragma once

#include "importlayout.h"
#include "importprogress.h"
#include "importrefusal.h"
#include "textimportreport.h"

#include "app/model/lorvant.h"

#include <string>
#include <utility>

// Makes a new study list from a text table as people have them: a word list, a spreadsheet saved
// as CSV or Unicode text, the program's own tab-delimited export. The text is decoded to the
// program's code page (decodeText), its layout guessed where the choices leave it open
// (guessLayout), and its rows (TableReader) made into items numbered in file order, with zero scores
// and default settings.
//
// A header names the item type (over the term column), the fields and the comment; a field without
// a name, or any field without a header, is "Field N" in field order, but a single field without a
// header keeps the default outline. Missing cells are empty; rows without a term are skipped and
// counted. A text with NUL bytes is no text and is refused.
class TextImporter {
public:
    using Error = ImportRefusal;
    using Refusal = ImportRefusal::Reason;

    explicit TextImporter(ImportChoices choices = {}) : _choices(std::move(choices)) {}

    // The new study list is untitled and modified.
    StudyList read(std::string bytes);
    // The same from the bytes in pieces, cut anywhere; each piece is let go once read. The progress is
    // told after each piece of each pass; when it stops the import, ImportCancelled is thrown.
    StudyList read(TextChunks bytes);
    StudyList read(TextChunks bytes, ImportProgress& progress);
    // What the first rows below any header would become, from the first bytes of a file (all of it
    // when wholeFile): a preview, whose layout is guessed from those bytes alone.
    StudyList readFirstRows(std::string firstBytes, int rows, bool wholeFile);
    const TextImportReport& getReport() const { return _report; }
    // The layout the last read took: the choices, and the guesses where they left it open.
    const ImportLayout& getLayout() const { return _layout; }

private:
    StudyList import(TextChunks chunks, int maxRows, ImportProgress& progress);

    TextImportReport _report;
    ImportLayout _layout;
    ImportChoices _choices;
};
