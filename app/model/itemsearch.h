#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

class StudyList;
class TermSet;

// What Find looks for: a text anywhere in an item's term, fields or comment. Without match case the letters
// of every script match in either case (CaseFolding), as the sessions judge answers.
class ItemSearch {
public:
    ItemSearch(std::string text, bool matchCase);

    const std::string& getText() const { return _text; }
    bool isMatchCase() const { return _matchCase; }

    // An empty text is found in every text.
    bool isFoundIn(std::string_view text) const;
    bool isFoundIn(const TermSet& item) const;
    // The position of the first item that holds the text, going on from the item after position `after`
    // round the list once, so that the item at `after` comes last; -1 starts at the first item. Returns -1
    // when no item holds it.
    int findNext(const StudyList& list, int after) const;

private:
    std::string _text;
    bool _matchCase;
    bool isFoundInFolded(std::string_view text) const;

    // Without match case: the text folded, and how far each byte that ends a failed comparison lets the
    // search move on.
    std::string _folded;
    bool _asciiNeedle = true;
    std::array<std::size_t, 256> _shift{};
    // A text beyond ASCII, folded for the search; kept to spare an allocation per text.
    mutable std::string _foldedText;
};
