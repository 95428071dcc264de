#include "multiplechoicesession.h"

#include "random.h"

#include "app/model/lorvant.h"

#include <algorithm>
#include <cassert>
#include <string_view>
#include <unordered_map>

MultipleChoiceSession::MultipleChoiceSession(StudyList& sh, bool useAll)
    : QnaSession(sh, useAll), _choicesNum(sh.getSettings().getChoicesNum()) {
    // A question needs the right answer and at least one wrong one, each from a different item.
    // A count that can never be met (only a damaged file holds one) leaves no choices, and the
    // session then has no question.
    if (_choicesNum >= 2 && _choicesNum <= sh.getTermSetCount())
        _choices.resize(static_cast<std::size_t>(_choicesNum));
}

MultipleChoiceSession::~MultipleChoiceSession() = default;

bool MultipleChoiceSession::next() {
    if (_choices.empty() || !QnaSession::next())
        return false;
    const DistinctValues& values = getDistinctValues(getToIdx());
    const auto rightValue =
        static_cast<unsigned>(values.valueOfItem[static_cast<std::size_t>(getCurrentItemIdx())]);
    const auto candidateCount = static_cast<unsigned>(values.firstItem.size() - 1);
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
        const TermSet& item = getStudyList().getTermSet(static_cast<std::size_t>(values.firstItem[value]));
        _choices[place] = std::string(fieldValue(item, getToIdx()));
    }
    return true;
}

const MultipleChoiceSession::DistinctValues& MultipleChoiceSession::getDistinctValues(int fieldIdx) {
    const auto found = _distinctValues.find(fieldIdx);
    if (found != _distinctValues.end())
        return found->second;

    const StudyList& sh = getStudyList();
    const auto itemCount = static_cast<std::size_t>(sh.getTermSetCount());
    DistinctValues values;
    values.valueOfItem.resize(itemCount);
    std::unordered_map<std::string_view, int> positions;
    positions.reserve(itemCount);
    for (std::size_t idx = 0; idx < itemCount; ++idx) {
        const auto [position, isNew] = positions.try_emplace(fieldValue(sh.getTermSet(idx), fieldIdx),
                                                             static_cast<int>(values.firstItem.size()));
        if (isNew)
            values.firstItem.push_back(static_cast<int>(idx));
        values.valueOfItem[idx] = position->second;
    }
    return _distinctValues.emplace(fieldIdx, std::move(values)).first->second;
}
