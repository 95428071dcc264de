#include "lorvant.h"

#include "scheduler.h"

#include "WinLib/io/exceptions.h"
#include "WinLib/io/serializer.h"

#include <algorithm>
#include <cassert>
#include <numeric>
#include <utility>

StudyList::StudyList() : _settings(_outline) {}

StudyList::StudyList(const StudyList& other) : StudyList() {
    *this = other;
}

StudyList::StudyList(StudyList&& other) : StudyList() {
    *this = std::move(other);
}

// Both assignments build the new items before changing anything, so a failure leaves this list whole.
StudyList& StudyList::operator=(const StudyList& other) {
    if (this == &other)
        return *this;
    // The copies keep the other outline's ids, which the outline's copy shares; they are pointed at
    // this list's outline once it has become that copy.
    Outline outline = other._outline;
    std::vector<TermSet> termSets = other._termSets;
    ReviewLog reviewLog = other._reviewLog;
    std::string fileName = other._fileName;
    std::vector<StoredSection> unknownSections = other._unknownSections;

    _selection.clear();
    swap(_outline, outline);
    _termSets = std::move(termSets);
    _store = FieldValues::Store();
    for (TermSet& termSet : _termSets)
        termSet.rebind(_outline);
    _settings = other._settings;
    _reviewSettings = other._reviewSettings;
    _reviewLog = std::move(reviewLog);
    _unknownSections = std::move(unknownSections);
    _modified = other._modified;
    _fileName = std::move(fileName);
    return *this;
}

StudyList& StudyList::operator=(StudyList&& other) noexcept {
    if (this == &other)
        return *this;
    _selection.clear();
    swap(_outline, other._outline);
    _termSets = std::move(other._termSets);
    _store = std::move(other._store);
    for (TermSet& termSet : _termSets)
        termSet.rebind(_outline);
    _settings = other._settings;
    _reviewSettings = other._reviewSettings;
    _reviewLog = std::move(other._reviewLog);
    _unknownSections = std::move(other._unknownSections);
    _modified = other._modified;
    _fileName = std::move(other._fileName);
    other._termSets.clear();
    return *this;
}

TermSet& StudyList::getTermSet(std::size_t idx) {
    assert(idx < _termSets.size());
    return _termSets[idx];
}

const TermSet& StudyList::getTermSet(std::size_t idx) const {
    assert(idx < _termSets.size());
    return _termSets[idx];
}

void StudyList::addTermSet(const TermSet& termSet) {
    _termSets.emplace_back(termSet, _outline);
    _modified = true;
}

void StudyList::removeSelected() {
    std::vector<int> removedNumbers;
    std::vector<bool> removed(_termSets.size(), false);
    for (const int idx : _selection.getIndices()) {
        assert(idx >= 0 && static_cast<std::size_t>(idx) < _termSets.size());
        removed[static_cast<std::size_t>(idx)] = true;
        removedNumbers.push_back(_termSets[static_cast<std::size_t>(idx)].getNumber());
    }
    std::sort(removedNumbers.begin(), removedNumbers.end());

    // One pass instead of one per removed item: every remaining item moves down by the number of
    // removed items numbered below it, which keeps the numbers dense and in their old order.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < _termSets.size(); ++i) {
        if (removed[i])
            continue;
        TermSet& termSet = _termSets[i];
        const auto below =
            std::lower_bound(removedNumbers.begin(), removedNumbers.end(), termSet.getNumber()) -
            removedNumbers.begin();
        termSet.setNumber(termSet.getNumber() - static_cast<int>(below));
        if (kept != i)
            _termSets[kept] = std::move(termSet);
        ++kept;
    }
    _termSets.erase(_termSets.begin() + static_cast<std::ptrdiff_t>(kept), _termSets.end());
    _reviewLog.removeItems(removedNumbers);
    // The indices named rows that are gone or have moved.
    _selection.clear();
    _modified = true;
}

const TermSet& StudyList::getSelectedTermSet() const {
    assert(hasSelection());
    return getTermSet(static_cast<std::size_t>(_selection.getFirst()));
}

void StudyList::setSelectedTermSet(const TermSet& termSet) {
    assert(hasSelection());
    getTermSet(static_cast<std::size_t>(_selection.getFirst())) = termSet;
    _modified = true;
}

void StudyList::setOutline(const Outline& outline) {
    _outline = outline;
    _settings.adjustToOutline();
    _modified = true;
}

void StudyList::resetScores() {
    for (TermSet& termSet : _termSets)
        termSet.resetScores();
    _modified = true;
}

void StudyList::reviewItem(std::size_t idx, UtcTime now, Grade grade) {
    TermSet& item = getTermSet(idx);
    const ItemSchedule& before = item.getSchedule();
    const ReviewRecord record{item.getNumber(), before.state, grade, now,
                              before.isNew() ? 0 : now - before.lastReview};
    item.setSchedule(Scheduler(_reviewSettings.desiredRetention / 100.0).review(before, now, grade));
    _reviewLog.add(record);
    _modified = true;
}

void StudyList::forgetSchedule(const std::vector<int>& indices) {
    for (const int idx : indices)
        getTermSet(static_cast<std::size_t>(idx)).setSchedule(ItemSchedule());
    _modified = true;
}

void StudyList::clear() {
    _selection.clear();
    _termSets.clear();
    _reviewLog.clear();
    _store = FieldValues::Store();
    _outline.setDefaults();
    _settings.adjustToOutline();
    _unknownSections.clear();
    _fileName.clear();
    _modified = false;
}

namespace {

// The head of an item's sort key and the item's position: 16 bytes, so that sorting the largest list
// needs little memory beside it. Ties of the heads are broken by the key's text, taken again.
struct KeyedIndex {
    std::uint64_t head;
    std::uint32_t idx;
};

std::uint32_t positionOf(const KeyedIndex& keyed) {
    return keyed.idx;
}

std::uint32_t positionOf(std::uint32_t idx) {
    return idx;
}

// A stable ascending sort changes nothing exactly when the elements already are ascending; then they
// are sorted descending instead, except that the elements isLast picks stay at the end. Equal keys keep
// the relative order they had either way, as their positions break the ties, so the sort needs no buffer
// beside the elements.
template <class Element, class Less, class IsLast>
void sortAscendingOrReverse(std::vector<Element>& elements, Less less, IsLast isLast) {
    const auto byPosition = [](const Element& a, const Element& b) { return positionOf(a) < positionOf(b); };
    if (std::is_sorted(elements.begin(), elements.end(), less))
        std::sort(elements.begin(), elements.end(), [&](const Element& a, const Element& b) {
            if (isLast(a) != isLast(b))
                return isLast(b);
            return less(b, a) || (!less(a, b) && byPosition(a, b));
        });
    else
        std::sort(elements.begin(), elements.end(), [&](const Element& a, const Element& b) {
            return less(a, b) || (!less(b, a) && byPosition(a, b));
        });
}

} // namespace

void StudyList::sort(Sorter sorter) {
    // Positions are sorted rather than the items, so each item moves once. A list holds at most
    // MaxTermSetCount items, so positions fit 32 bits.
    std::vector<std::uint32_t> order(_termSets.size());
    if (sorter.hasKey()) {
        std::vector<KeyedIndex> keyed(_termSets.size());
        for (std::size_t i = 0; i < _termSets.size(); ++i)
            keyed[i] = KeyedIndex{sorter.getKey(_termSets[i]).head, static_cast<std::uint32_t>(i)};
        const bool textTies = sorter.hasTextKey();
        const bool missingLast = sorter.keepsMissingLast();
        sortAscendingOrReverse(
            keyed,
            [&](const KeyedIndex& a, const KeyedIndex& b) {
                if (a.head != b.head || !textTies)
                    return a.head < b.head;
                return sorter.getKey(_termSets[a.idx]).text < sorter.getKey(_termSets[b.idx]).text;
            },
            [&](const KeyedIndex& k) { return missingLast && k.head == SortKey::Missing; });
        std::transform(keyed.begin(), keyed.end(), order.begin(), [](const KeyedIndex& k) { return k.idx; });
    } else {
        std::iota(order.begin(), order.end(), std::uint32_t{0});
        sortAscendingOrReverse(
            order, [&](std::uint32_t a, std::uint32_t b) { return sorter(_termSets[a], _termSets[b]); },
            [](std::uint32_t) { return false; });
    }
    // Moves the items along the cycles of the permutation, in place: no second vector of items.
    for (std::uint32_t start = 0; start < order.size(); ++start) {
        if (order[start] == start)
            continue;
        TermSet moving = std::move(_termSets[start]);
        std::uint32_t to = start;
        while (order[to] != start) {
            const std::uint32_t from = order[to];
            _termSets[to] = std::move(_termSets[from]);
            order[to] = to;
            to = from;
        }
        _termSets[to] = std::move(moving);
        order[to] = to;
    }
}

void StudyList::addRecentDoc(const std::string& path) {
    const auto found = std::find(_recentDocs.begin(), _recentDocs.end(), path);
    if (found != _recentDocs.end())
        _recentDocs.erase(found);
    _recentDocs.insert(_recentDocs.begin(), path);
    if (_recentDocs.size() > MaxRecentDocs) {
        _recentDocs.pop_back();
        assert(_recentDocs.size() == MaxRecentDocs);
    }
}

void StudyList::serialize(Win::IO::Serializer& out) {
    _outline.serialize(out);
    out.writeInt(getTermSetCount());
    for (const TermSet& termSet : _termSets) {
        out.writeInt(termSet.getNumber());
        termSet.serialize(out);
    }
    _settings.serialize(out);
    _modified = false;
}

void StudyList::deserialize(Win::IO::DeSerializer& in) {
    _outline.deserialize(in);
    const std::int32_t count = in.readInt();
    if (count > MaxTermSetCount)
        throw Win::IO::DataCorruptionException("Data corruption");
    // The smallest item: its number, the term, one string per field, the comment and two scores.
    const std::uint64_t minItemBytes =
        4 + Win::IO::MinStringBytes * (2 + static_cast<std::uint64_t>(_outline.getDefCount())) + 8;
    in.checkCount(count, minItemBytes);
    _termSets.clear();
    _store = FieldValues::Store();
    _termSets.reserve(static_cast<std::size_t>(count));
    FieldValues::Builder fields;
    FieldValues::Builder texts;
    for (std::int32_t i = 0; i < count; ++i)
        _termSets.emplace_back(_outline, in.readInt()).deserialize(in, fields, texts, &_store);
    _settings.deserialize(in);
    _modified = false;
}
