#pragma once

#include <cstddef>
#include <vector>

class StudyList;

// The distinct values of one field over all items of a study list, in the order in which they
// first occur. A multiple-choice question offers these values, less the right one, as wrong answers.
class DistinctValues {
public:
    DistinctValues(const StudyList& sh, int fieldIdx);

    int getCount() const { return static_cast<int>(_firstItem.size()); }
    // The position among the distinct values of the value that the item holds.
    int getPosition(int itemIdx) const { return _positionOfItem[static_cast<std::size_t>(itemIdx)]; }
    // The first item that holds the value at a position.
    int getFirstItem(int position) const { return _firstItem[static_cast<std::size_t>(position)]; }

private:
    std::vector<int> _firstItem;
    std::vector<int> _positionOfItem;
};
