#pragma once

#include "importprogress.h"
#include "rowsource.h"
#include "textimportreport.h"

#include <optional>
#include <string_view>
#include <vector>

enum class ColumnRole { Term, Field, Comment, Skip };

// How the rows of a text table become items.
struct ImportLayout {
    char separator = '\t';
    // Cells may be in double quotes, as spreadsheets write them; otherwise every cell is as it stands.
    bool quoting = true;
    // The first row names the item type (over the term), the fields and the comment.
    bool header = false;
    // What each column becomes; a cell beyond them that holds text refuses the file.
    std::vector<ColumnRole> columns;
};

// What the user decided; the rest is guessed.
struct ImportChoices {
    std::optional<TextEncoding> encoding = std::nullopt;
    std::optional<char> separator = std::nullopt;
    std::optional<bool> quoting = std::nullopt;
    std::optional<bool> header = std::nullopt;
    std::optional<std::vector<ColumnRole>> columns = std::nullopt;
};

// The first bytes of the text that the separator, quoting and header are guessed from.
constexpr std::size_t LayoutSampleBytes = 1024 * 1024;

// Guesses what the choices leave open from the decoded text, each guess building on the ones before:
// - separator (tab, semicolon or comma): the one that splits the most rows into the same number of
//   cells, two or more, counting cells up to the last that holds text; tab, then semicolon, on a tie;
// - quoting: off for a table shaped as the program's own tab-delimited export (which writes every text
//   as it stands); otherwise on when the quotes were needed (a quoted cell holds a separator, a line
//   break or a doubled quote) or nearly every cell is quoted;
// - header: the first row ends in "Comment", or is short distinct names above rows that are not;
// - columns: the first is the term, every other that holds text in any row a field, a header's
//   "Comment" the comment; columns empty in every row are skipped.
// The separator, quoting and header are guessed from the first rows (LayoutSampleBytes of the first
// piece, which should hold that much when the text does); the columns from the whole text. Throws
// ImportRefusal when more columns hold text than an outline has fields. Reading the whole text for the
// columns is a pass of the import's progress.
ImportLayout guessLayout(TextChunks& text, const ImportChoices& choices, ImportProgress& progress);

// The first row has two cells or more and its last is "Comment" in any letter case.
bool endsInCommentHeading(const std::vector<std::string>& row);
