#include "multiplechoicesession.h"

#include "random.h"

#include "app/model/lorvant.h"

#include <algorithm>

MultipleChoiceSession::MultipleChoiceSession(StudyList& sh, bool useAll)
    : QnaSession(sh, useAll), _choicesNum(sh.getSettings().getChoicesNum()) {
    // A question needs the right answer and at least one wrong one, each from a different item.
    // A count that can never be met leaves no choices, and the session then has no question.
    if (_choicesNum >= 2 && _choicesNum <= sh.getTermSetCount())
        _choices.resize(static_cast<std::size_t>(_choicesNum));
}

MultipleChoiceSession::~MultipleChoiceSession() = default;

bool MultipleChoiceSession::next() {
    if (_choices.empty() || !QnaSession::next())
        return false;
    const DistinctValues& values = getDistinctValues(getToIdx());
    const auto rightValue = static_cast<unsigned>(values.getPosition(getCurrentItemIdx()));
    const auto candidateCount = static_cast<unsigned>(values.getCount() - 1);
    const auto picksNum = static_cast<unsigned>(_choicesNum - 1);
    if (candidateCount < picksNum)
        return false;

    std::vector<unsigned> picks;
    picks.reserve(picksNum);
    while (picks.size() < picksNum) {
        const unsigned candidate = Random::below(candidateCount);
        if (std::find(picks.begin(), picks.end(), candidate) == picks.end())
            picks.push_back(candidate);
    }
    const unsigned rightPlace = Random::below(static_cast<unsigned>(_choicesNum));

    auto pick = picks.begin();
    for (unsigned place = 0; place < _choices.size(); ++place) {
        if (place == rightPlace) {
            _choices[place] = getToText();
            continue;
        }
        // Candidates are the distinct values with the right one left out.
        const unsigned value = *pick < rightValue ? *pick : *pick + 1;
        ++pick;
        const TermSet& item =
            getStudyList().getTermSet(static_cast<std::size_t>(values.getFirstItem(static_cast<int>(value))));
        _choices[place] = std::string(fieldValue(item, getToIdx()));
    }
    return true;
}

const DistinctValues& MultipleChoiceSession::getDistinctValues(int fieldIdx) {
    auto found = _distinctValues.find(fieldIdx);
    if (found == _distinctValues.end())
        found = _distinctValues.emplace(fieldIdx, DistinctValues(getStudyList(), fieldIdx)).first;
    return found->second;
}
