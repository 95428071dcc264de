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

bool Sorter::hasKey() const {
    return _defCmpFunc == byField || _cmpFunc == byNumber || _cmpFunc == byTerm || _cmpFunc == byComment ||
           _cmpFunc == byTimesAsked || _cmpFunc == byCorrectAnswers || _cmpFunc == byRatio ||
           _cmpFunc == byDue;
}

bool Sorter::hasTextKey() const {
    return _defCmpFunc == byField || _cmpFunc == byTerm || _cmpFunc == byComment;
}

namespace {

SortKey integerKey(int value) {
    return SortKey{static_cast<std::uint32_t>(value) ^ 0x80000000u, std::string_view()};
}

// Every due time orders before SortKey::Missing: times come from the schedule's 64-bit seconds, which
// never reach the largest one.
SortKey dueKey(const ItemSchedule& schedule) {
    if (schedule.isNew())
        return SortKey{SortKey::Missing, std::string_view()};
    return SortKey{static_cast<std::uint64_t>(schedule.due) ^ 0x8000000000000000u, std::string_view()};
}

// Big-endian first bytes, zero-padded: orders like the text up to ties, which the text then breaks.
SortKey textKey(std::string_view text) {
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < 8; ++i)
        head = head << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
    return SortKey{head, text};
}

} // namespace

SortKey Sorter::getKey(const TermSet& item) const {
    assert(hasKey());
    if (_defCmpFunc == byField)
        return textKey(item.getFieldView(_defIdx));
    if (_cmpFunc == byTerm)
        return textKey(item.getTerm());
    if (_cmpFunc == byComment)
        return textKey(item.getComment());
    if (_cmpFunc == byNumber)
        return integerKey(item.getNumber());
    if (_cmpFunc == byTimesAsked)
        return integerKey(item.getTimesAsked());
    if (_cmpFunc == byCorrectAnswers)
        return integerKey(item.getCorrectAnswers());
    if (_cmpFunc == byDue)
        return dueKey(item.getSchedule());
    return integerKey(item.getRatio());
}

Sorter Sorter::forColumn(int column, int defCount) {
    assert(column >= 0 && column < defCount + 7);
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
    case 5:
        return Sorter(byRatio);
    default:
        return Sorter(byDue);
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

bool Sorter::byDue(const TermSet& a, const TermSet& b) {
    return dueKey(a.getSchedule()) < dueKey(b.getSchedule());
}
