#pragma once

#include <cstdint>
#include <string_view>

class TermSet;

// The value a known comparison orders by, taken once per item so that sorting large lists does
// not look it up again for every comparison. Orders exactly like the comparison it stands for.
struct SortKey {
    // The head of an item without a value in a column whose items without one stay last both ways.
    static constexpr std::uint64_t Missing = UINT64_MAX;

    std::uint64_t head; // an integer biased to unsigned, or the first 8 bytes of the text
    std::string_view text;

    bool operator<(const SortKey& other) const {
        return head != other.head ? head < other.head : text < other.text;
    }
};

// Strict less-than over items for one column of the study list view: either a plain comparison
// or a comparison of one outline field.
class Sorter {
public:
    using CmpFunc = bool (*)(const TermSet& a, const TermSet& b);
    using DefCmpFunc = bool (*)(const TermSet& a, const TermSet& b, int defIdx);

    explicit Sorter(CmpFunc cmpFunc);
    Sorter(DefCmpFunc defCmpFunc, int defIdx);

    bool operator()(const TermSet& a, const TermSet& b) const;

    // True when the comparison is one of those below, whose key getKey gives.
    bool hasKey() const;
    SortKey getKey(const TermSet& item) const;
    // True when the key compares a text beyond its head.
    bool hasTextKey() const;
    // True when items whose key head is SortKey::Missing stay after the others in descending order
    // too: a list sorted by due time shows what comes due first or last, and never-reviewed items
    // after either.
    bool keepsMissingLast() const { return _cmpFunc == byDue; }

    // The sorter of a list view column for an outline with defCount fields: number, term,
    // the fields, comment, times asked, correct answers, ratio, due time.
    static Sorter forColumn(int column, int defCount);

    static bool byNumber(const TermSet& a, const TermSet& b);
    static bool byTerm(const TermSet& a, const TermSet& b);
    static bool byField(const TermSet& a, const TermSet& b, int defIdx);
    static bool byComment(const TermSet& a, const TermSet& b);
    static bool byTimesAsked(const TermSet& a, const TermSet& b);
    static bool byCorrectAnswers(const TermSet& a, const TermSet& b);
    static bool byRatio(const TermSet& a, const TermSet& b);
    // By due time, new items after all others.
    static bool byDue(const TermSet& a, const TermSet& b);

private:
    CmpFunc _cmpFunc;
    DefCmpFunc _defCmpFunc;
    int _defIdx;
};
