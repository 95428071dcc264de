#pragma once

class TermSet;

// Strict less-than over items for one column of the study list view: either a plain comparison
// or a comparison of one outline field.
class Sorter {
public:
    using CmpFunc = bool (*)(const TermSet& a, const TermSet& b);
    using DefCmpFunc = bool (*)(const TermSet& a, const TermSet& b, int defIdx);

    explicit Sorter(CmpFunc cmpFunc);
    Sorter(DefCmpFunc defCmpFunc, int defIdx);

    bool operator()(const TermSet& a, const TermSet& b) const;

    // The sorter of a list view column for an outline with defCount fields: number, term,
    // the fields, comment, times asked, correct answers, ratio.
    static Sorter forColumn(int column, int defCount);

    static bool byNumber(const TermSet& a, const TermSet& b);
    static bool byTerm(const TermSet& a, const TermSet& b);
    static bool byField(const TermSet& a, const TermSet& b, int defIdx);
    static bool byComment(const TermSet& a, const TermSet& b);
    static bool byTimesAsked(const TermSet& a, const TermSet& b);
    static bool byCorrectAnswers(const TermSet& a, const TermSet& b);
    static bool byRatio(const TermSet& a, const TermSet& b);

private:
    CmpFunc _cmpFunc;
    DefCmpFunc _defCmpFunc;
    int _defIdx;
};
