#include "sorter.h"

#include "termset.h"

#include <cassert>

Sorter::Sorter(CmpFunc cmpFunc) : _cmpFunc(cmpFunc), _defCmpFunc(nullptr), _defIdx(0) {
    assert(_cmpFunc != nullptr);
}

Sorter::Sorter(DefCmpFunc defCmpFunc, int defIdx)
    : _cmpFunc(nullptr), _defCmpFunc(defCmpFunc), _defIdx(defIdx) {
    assert(_defCmpFunc != nullptr);
}

bool Sorter::operator()(const TermSet& a, const TermSet& b) const {
    if (_cmpFunc != nullptr) {
        assert(_defCmpFunc == 0);
        return _cmpFunc(a, b);
    }
    assert(_defCmpFunc != 0);
    return _defCmpFunc(a, b, _defIdx);
}

Sorter Sorter::forColumn(int column, int defCount) {
    assert(column >= 0 && column < defCount + 6);
    if (column == 0)
        return Sorter(byNumber);
    if (column == 1)
        return Sorter(byTerm);
    if (column < defCount + 2)
        return Sorter(byField, column - 2);
    switch (column - defCount) {
    case 2:
        return Sorter(byComment);
    case 3:
        return Sorter(byTimesAsked);
    case 4:
        return Sorter(byCorrectAnswers);
    default:
        return Sorter(byRatio);
    }
}

// std::string orders by unsigned byte values, a proper prefix first, as the list should.
bool Sorter::byNumber(const TermSet& a, const TermSet& b) {
    return a.getNumber() < b.getNumber();
}

bool Sorter::byTerm(const TermSet& a, const TermSet& b) {
    return a.getTerm() < b.getTerm();
}

bool Sorter::byField(const TermSet& a, const TermSet& b, int defIdx) {
    return a.getFieldView(defIdx) < b.getFieldView(defIdx);
}

bool Sorter::byComment(const TermSet& a, const TermSet& b) {
    return a.getComment() < b.getComment();
}

bool Sorter::byTimesAsked(const TermSet& a, const TermSet& b) {
    return a.getTimesAsked() < b.getTimesAsked();
}

bool Sorter::byCorrectAnswers(const TermSet& a, const TermSet& b) {
    return a.getCorrectAnswers() < b.getCorrectAnswers();
}

bool Sorter::byRatio(const TermSet& a, const TermSet& b) {
    return a.getRatio() < b.getRatio();
}
