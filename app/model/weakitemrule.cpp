#include "weakitemrule.h"

#include "lorvant.h"

bool WeakItemRule::isWeak(const TermSet& item) const {
    const long long asked = item.getTimesAsked();
    if (asked == 0)
        return includeNeverAsked;
    return 100LL * item.getCorrectAnswers() < static_cast<long long>(threshold) * asked;
}

std::vector<int> WeakItemRule::findIn(const StudyList& list) const {
    std::vector<int> weak;
    const int count = list.getTermSetCount();
    for (int idx = 0; idx < count; ++idx) {
        if (isWeak(list.getTermSet(static_cast<std::size_t>(idx))))
            weak.push_back(idx);
    }
    return weak;
}
