#include "itemsearch.h"

#include "lorvant.h"

#include <utility>

namespace {

char foldAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

unsigned char byteOf(char c) {
    return static_cast<unsigned char>(c);
}

} // namespace

ItemSearch::ItemSearch(std::string text, bool matchCase) : _text(std::move(text)), _matchCase(matchCase) {
    if (_matchCase)
        return;
    for (char c : _text)
        _folded.push_back(foldAscii(c));
    // A search of the largest list looks at every byte of it once at worst; skipping by the last byte of
    // each window keeps a case-insensitive search about as quick as a case-sensitive one.
    const std::size_t length = _folded.size();
    _shift.fill(length);
    for (std::size_t i = 0; i + 1 < length; ++i)
        _shift[byteOf(_folded[i])] = length - 1 - i;
}

bool ItemSearch::isFoundIn(std::string_view text) const {
    if (_matchCase)
        return text.find(_text) != std::string_view::npos;
    const std::size_t length = _folded.size();
    if (length == 0)
        return true;
    for (std::size_t start = 0; start + length <= text.size();) {
        std::size_t i = length;
        while (i > 0 && foldAscii(text[start + i - 1]) == _folded[i - 1])
            --i;
        if (i == 0)
            return true;
        start += _shift[byteOf(foldAscii(text[start + length - 1]))];
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
