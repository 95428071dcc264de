#include "multiplechoicesession.h"

#include "random.h"

#include "app/model/lorvant.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string_view>

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
    const auto valueOf = [&sh, fieldIdx](std::size_t item) {
        return fieldValue(sh.getTermSet(item), fieldIdx);
    };
    DistinctValues values;
    values.valueOfItem.resize(itemCount);
    // An open-addressed table, at most half full, of the values met so far: each slot holds the
    // upper half of the value's hash and its position + 1 (0 for a free slot). One block instead
    // of a node per item keeps the first question of a large list quick.
    std::size_t capacity = 2;
    while (capacity < 2 * itemCount)
        capacity *= 2;
    std::vector<std::uint64_t> slots(capacity, 0);
    // The slots of the next few items are fetched ahead: on a large list nearly every look-up
    // misses the cache, and waiting for each in turn would take most of the time.
    constexpr std::size_t Ahead = 16;
    std::uint64_t hashes[Ahead];
    const auto hashOf = [&](std::size_t item) {
        const std::uint64_t hash = std::hash<std::string_view>()(valueOf(item));
        __builtin_prefetch(&slots[hash & (capacity - 1)]);
        return hash;
    };
    for (std::size_t item = 0; item < std::min(Ahead, itemCount); ++item)
        hashes[item] = hashOf(item);
    for (std::size_t item = 0; item < itemCount; ++item) {
        const std::string_view value = valueOf(item);
        const std::uint64_t hash = hashes[item % Ahead];
        if (item + Ahead < itemCount)
            hashes[item % Ahead] = hashOf(item + Ahead);
        const std::uint64_t tag = (hash >> 32) << 32;
        for (std::size_t slot = hash & (capacity - 1);; slot = (slot + 1) & (capacity - 1)) {
            const std::uint64_t entry = slots[slot];
            if (entry == 0) {
                values.valueOfItem[item] = static_cast<int>(values.firstItem.size());
                values.firstItem.push_back(static_cast<int>(item));
                slots[slot] = tag | values.firstItem.size();
                break;
            }
            const auto position = static_cast<std::size_t>((entry & 0xFFFFFFFFu) - 1);
            if ((entry & ~std::uint64_t{0xFFFFFFFFu}) == tag &&
                valueOf(static_cast<std::size_t>(values.firstItem[position])) == value) {
                values.valueOfItem[item] = static_cast<int>(position);
                break;
            }
        }
    }
    return _distinctValues.emplace(fieldIdx, std::move(values)).first->second;
}
