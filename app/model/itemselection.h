#pragma once

#include <vector>

// The rows selected in the list, as one flag per row plus a count: selecting or clearing every
// row of the largest list costs a pass over a bit vector rather than a million tree nodes.
class ItemSelection {
public:
    void select(int idx);
    void deselect(int idx);
    // Every row from 0 to count - 1.
    void selectAll(int count);
    void clear();

    bool isSelected(int idx) const;
    bool isEmpty() const { return _count == 0; }
    int getCount() const { return _count; }
    // The selected rows in ascending order.
    std::vector<int> getIndices() const;
    int getFirst() const;

private:
    std::vector<bool> _selected;
    int _count = 0;
};
