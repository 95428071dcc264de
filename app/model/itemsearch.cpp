#include "itemsearch.h"

#include "casefolding.h"
#include "lorvant.h"

#include "WinLib/io/utf8.h"

#include <array>
#include <utility>

namespace {

// Each byte of ASCII text folded (capital letters made small), looked up rather than tested in the
// search's inner loop; text beyond ASCII is folded whole before the search, and stays as it is here.
constexpr std::array<unsigned char, 256> FoldTable = [] {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[static_cast<std::size_t>(c)] =
            static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return table;
}();

} // namespace

ItemSearch::ItemSearch(std::string text, bool matchCase) : _text(std::move(text)), _matchCase(matchCase) {
    if (_matchCase)
        return;
    CaseFolding::appendFolded(_folded, _text);
    _asciiNeedle = Win::IO::Utf8::isAscii(_folded);
    // Skipping by the last byte of each window, in either case, keeps a case-insensitive search of the
    // largest list about as quick as a case-sensitive one.
    const std::size_t length = _folded.size();
    _shift.fill(length);
    for (std::size_t i = 0; i + 1 < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(_folded[i]);
        _shift[c] = length - 1 - i;
        if (c >= 'a' && c <= 'z')
            _shift[c - 'a' + 'A'] = length - 1 - i;
    }
}

bool ItemSearch::isFoundIn(std::string_view text) const {
    if (_matchCase)
        return text.find(_text) != std::string_view::npos;
    // The search folds ASCII on the way. Found in the text as it is, the folded needle is in the folded
    // text too: it holds only characters that folding keeps. Not found, it can be in the folded text only
    // where folding changes more than ASCII: for a needle of ASCII, only where it makes ASCII.
    if (isFoundInFolded(text))
        return true;
    if (Win::IO::Utf8::isAscii(text) ||
        (_asciiNeedle ? !CaseFolding::foldsIntoAscii(text) : CaseFolding::foldsOnlyAscii(text)))
        return false;
    _foldedText.clear();
    CaseFolding::appendFolded(_foldedText, text);
    return isFoundInFolded(_foldedText);
}

// The search itself, over text that is folded already or ASCII (which FoldTable folds on the way).
bool ItemSearch::isFoundInFolded(std::string_view text) const {
    const std::size_t length = _folded.size();
    if (length == 0)
        return true;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const auto* wanted = reinterpret_cast<const unsigned char*>(_folded.data());
    const unsigned char last = wanted[length - 1];
    for (std::size_t start = 0; start + length <= text.size();) {
        const unsigned char end = bytes[start + length - 1];
        if (FoldTable[end] == last) {
            std::size_t i = length - 1;
            while (i > 0 && FoldTable[bytes[start + i - 1]] == wanted[i - 1])
                --i;
            if (i == 0)
                return true;
        }
        start += _shift[end];
    }
    return false;
}

bool ItemSearch::isFoundIn(const TermSet& item) const {
    if (isFoundIn(item.getTerm()) || isFoundIn(item.getComment()))
        return true;
    const int fieldCount = item.getOutline().getDefCount();
    for (int field = 0; field < fieldCount; ++field) {
        if (isFoundIn(item.getFieldView(field)))
            return true;
    }
    return false;
}

int ItemSearch::findNext(const StudyList& list, int after) const {
    const int count = list.getTermSetCount();
    const int start = after < 0 || after >= count ? 0 : after + 1;
    for (int i = 0; i < count; ++i) {
        const int idx = (start + i) % count;
        if (isFoundIn(list.getTermSet(static_cast<std::size_t>(idx))))
            return idx;
    }
    return -1;
}
