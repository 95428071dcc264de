#include "itemselection.h"

#include <algorithm>
#include <cassert>
#include <cstddef>

void ItemSelection::select(int idx) {
    assert(idx >= 0);
    const auto pos = static_cast<std::size_t>(idx);
    if (pos >= _selected.size())
        _selected.resize(pos + 1, false);
    if (!_selected[pos]) {
        _selected[pos] = true;
        ++_count;
    }
}

void ItemSelection::deselect(int idx) {
    const auto pos = static_cast<std::size_t>(idx);
    if (idx >= 0 && pos < _selected.size() && _selected[pos]) {
        _selected[pos] = false;
        --_count;
    }
}

bool ItemSelection::isSelected(int idx) const {
    const auto pos = static_cast<std::size_t>(idx);
    return idx >= 0 && pos < _selected.size() && _selected[pos];
}

void ItemSelection::selectAll(int count) {
    _selected.assign(static_cast<std::size_t>(std::max(count, 0)), true);
    _count = std::max(count, 0);
}

void ItemSelection::clear() {
    if (_count == 0)
        return;
    _selected.clear();
    _count = 0;
}

std::vector<int> ItemSelection::getIndices() const {
    std::vector<int> indices;
    indices.reserve(static_cast<std::size_t>(_count));
    for (std::size_t pos = 0; pos < _selected.size() && indices.size() < static_cast<std::size_t>(_count);
         ++pos)
        if (_selected[pos])
            indices.push_back(static_cast<int>(pos));
    return indices;
}

int ItemSelection::getFirst() const {
    assert(_count > 0);
    const auto first = std::find(_selected.begin(), _selected.end(), true);
    return static_cast<int>(first - _selected.begin());
}
