#pragma once

#include <string>
#include <string_view>

// Letter case of every script, as texts compare without it (answers with case sensitivity off, Find
// without match case): the Unicode simple case folding, one character for one, so "Łódź" and "łÓDŹ",
// "ΣΟΦΊΑ" and "σοφία" are equal. Sorting does not use it.
namespace CaseFolding {

char32_t fold(char32_t character);
// The UTF-8 text with every character folded, onto the end of out; bytes that are no UTF-8 stay.
void appendFolded(std::string& out, std::string_view text);
bool equalIgnoringCase(std::string_view a, std::string_view b);
// Whether folding leaves every character beyond ASCII as it is (text in small letters, or in scripts
// without case): then folding the text only folds its ASCII letters.
bool foldsOnlyAscii(std::string_view text);
// Whether a character beyond ASCII in the text folds to ASCII, as the Kelvin sign folds to "k": only then
// can a text of ASCII be in the folded text and not in the text with its ASCII letters folded.
bool foldsIntoAscii(std::string_view text);

} // namespace CaseFolding
