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

} // namespace CaseFolding
