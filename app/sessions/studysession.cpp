#include "studysession.h"

#include "random.h"

#include "app/model/casefolding.h"
#include "app/model/lorvant.h"

#include <algorithm>
#include <cassert>
#include <numeric>
#include <utility>

namespace {

constexpr int NoField = -2;

} // namespace

StudySession::StudySession(StudyList& sh, bool useAll)
    : _sh(sh), _settings(sh.getSettings()), _continuous(_settings.isContinuous()) {
    Random::seedFromClock();
    if (useAll) {
        _questions.resize(static_cast<std::size_t>(_sh.getTermSetCount()));
        std::iota(_questions.begin(), _questions.end(), 0);
    } else {
        assert(_sh.hasSelection());
        _questions = _sh.getSelection();
    }
    if (_settings.isShuffle())
        Random::shuffle(_questions);
}

StudySession::StudySession(StudyList& sh, std::vector<int> questions)
    : _sh(sh), _settings(sh.getSettings()), _questions(std::move(questions)), _continuous(false) {
    Random::seedFromClock();
}

StudySession::~StudySession() = default;

void StudySession::askNext(int idx) {
    const auto at = std::min(_questions.size(), static_cast<std::size_t>(_currItemIdx + 1));
    _questions.insert(_questions.begin() + static_cast<std::ptrdiff_t>(at), idx);
}

bool StudySession::answer(std::string_view given) {
    const std::string_view right = fieldText(_toIdx);
    const bool correct =
        given == right || (!_settings.isCaseSensitive() && CaseFolding::equalIgnoringCase(given, right));
    TermSet& item = _sh.getTermSet(static_cast<std::size_t>(getCurrentItemIdx()));
    ++_questionsAskedCnt;
    if (correct) {
        ++_correctAnswersCnt;
        item.addCorrectAnswer();
    } else {
        item.addWrongAnswer();
    }
    _sh.setModified();
    return correct;
}

bool StudySession::next() {
    const int lastField = _sh.getOutline().getDefCount() - 1;
    const bool everythingElse = _settings.isToEverythingElse();
    const bool onItem = _currItemIdx >= 0 && static_cast<std::size_t>(_currItemIdx) < _questions.size();
    // "Everything else" asks the fields of one item one after another before moving on.
    bool sameItem = everythingElse && onItem && _toIdx != lastField;
    int wraps = 0;
    // Skipped questions loop here instead of re-entering next, so that a long run of them cannot
    // exhaust the stack; a derived session's next still runs once for every question found.
    for (;;) {
        if (sameItem) {
            ++_toIdx;
        } else {
            if (!nextItem(wraps))
                return false;
            const bool chosen = chooseFrom() && chooseTo();
            ++_itemCounter;
            if (!chosen)
                continue;
        }
        if (_fromIdx != _toIdx && !fieldText(_fromIdx).empty() && !fieldText(_toIdx).empty())
            return true;
        sameItem = everythingElse && _toIdx != lastField;
    }
}

bool StudySession::nextItem(int& wraps) {
    const int size = static_cast<int>(_questions.size());
    while (++_currItemIdx < size) {
        if (isAskable(getCurrentItem()))
            return true;
    }
    _currItemIdx = size;
    // Coming to the end a second time within one call means that a whole pass found no question,
    // and none will ever come: even a continuous session ends then.
    if (size == 0 || !_continuous || ++wraps > 1)
        return false;
    if (_settings.isShuffle())
        Random::shuffle(_questions);
    // The first item of the new pass is taken as it is; a question it cannot give is skipped.
    _currItemIdx = 0;
    return true;
}

bool StudySession::isAskable(const TermSet& item) const {
    const int fieldCount = _sh.getOutline().getDefCount();
    for (int idx = 0; idx < fieldCount; ++idx) {
        if (!item.getFieldView(idx).empty())
            return true;
    }
    return false;
}

// Candidates are counted first and one of them drawn, so an item without any admissible field
// is skipped instead of drawing for ever.
template <class Admissible> int StudySession::pickField(Admissible admissible) const {
    const int fieldCount = _sh.getOutline().getDefCount();
    // Draw r stands for field r, and r equal to the field count for the item-type field.
    const auto fieldOf = [fieldCount](int r) { return r == fieldCount ? -1 : r; };
    unsigned count = 0;
    for (int r = 0; r <= fieldCount; ++r) {
        if (admissible(fieldOf(r)))
            ++count;
    }
    if (count == 0)
        return NoField;
    unsigned chosen = Random::below(count);
    for (int r = 0; r <= fieldCount; ++r) {
        if (admissible(fieldOf(r)) && chosen-- == 0)
            return fieldOf(r);
    }
    assert(false);
    return NoField;
}

bool StudySession::chooseFrom() {
    if (_settings.isFromAnything()) {
        const bool toTerm = _settings.isToTerm();
        const int toField = _settings.isToField() ? _settings.getToField() : NoField;
        _fromIdx = pickField(
            [&](int idx) { return !fieldText(idx).empty() && !(toTerm && idx == -1) && idx != toField; });
        return _fromIdx != NoField;
    }
    _fromIdx = _settings.isFromField() ? _settings.getFromField() : -1;
    return true;
}

bool StudySession::chooseTo() {
    if (_settings.isToAnythingElse()) {
        _toIdx = pickField([&](int idx) { return idx != _fromIdx && !fieldText(idx).empty(); });
        return _toIdx != NoField;
    }
    // "Everything else" starts its walk over the fields at the item-type field.
    _toIdx = _settings.isToField() ? _settings.getToField() : -1;
    return true;
}

const TermSet& StudySession::getCurrentItem() const {
    return _sh.getTermSet(static_cast<std::size_t>(getCurrentItemIdx()));
}

int StudySession::getCurrentItemIdx() const {
    assert(_currItemIdx >= 0 && static_cast<unsigned>(_currItemIdx) < _questions.size());
    return _questions[static_cast<std::size_t>(_currItemIdx)];
}

int StudySession::getQuestionsCount() const {
    return _continuous ? -1 : static_cast<int>(_questions.size());
}

int StudySession::getResult() const {
    assert(_questionsAskedCnt >= _correctAnswersCnt);
    if (_questionsAskedCnt == 0)
        return 0;
    return static_cast<int>(100LL * _correctAnswersCnt / _questionsAskedCnt);
}

std::string_view StudySession::fieldValue(const TermSet& item, int idx) {
    return idx == -1 ? std::string_view(item.getTerm()) : item.getFieldView(idx);
}

const std::string& StudySession::fieldName(int idx) const {
    const Outline& outline = _sh.getOutline();
    return idx == -1 ? outline.getItemType() : outline.getDef(idx);
}
