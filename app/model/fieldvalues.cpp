#include "fieldvalues.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace {

constexpr std::size_t wordsFor(std::size_t count, std::size_t textSize) {
    return 1 + 2 * count + (textSize + sizeof(std::uint32_t) - 1) / sizeof(std::uint32_t);
}

} // namespace

std::unique_ptr<std::uint32_t[]> FieldValues::allocate(std::size_t count, std::size_t textSize) {
    // Value ends are 32-bit; no item read from a file comes near the limit.
    if (textSize > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("field values too long");
    const std::size_t words = wordsFor(count, textSize);
    auto block = std::make_unique_for_overwrite<std::uint32_t[]>(words);
    block[0] = static_cast<std::uint32_t>(count);
    block[words - 1] = 0; // the padding after the text, so that equal blocks compare equal byte by byte
    return block;
}

FieldValues::FieldValues(const FieldValues& other) {
    if (!other._block)
        return;
    const std::size_t size = other.byteSize();
    _block = std::make_unique_for_overwrite<std::uint32_t[]>(size / sizeof(std::uint32_t));
    std::memcpy(_block.get(), other._block.get(), size);
}

FieldValues& FieldValues::operator=(const FieldValues& other) {
    if (this != &other)
        *this = FieldValues(other);
    return *this;
}

std::size_t FieldValues::byteSize() const {
    const std::size_t count = getCount();
    const std::size_t textSize = count == 0 ? 0 : ends()[count - 1];
    return wordsFor(count, textSize) * sizeof(std::uint32_t);
}

bool FieldValues::operator==(const FieldValues& other) const {
    if (getCount() != other.getCount())
        return false;
    if (getCount() == 0)
        return true;
    const std::size_t size = byteSize();
    return size == other.byteSize() && std::memcmp(_block.get(), other._block.get(), size) == 0;
}

FieldId FieldValues::getId(std::size_t pos) const {
    assert(pos < getCount());
    return _block[1 + pos];
}

std::string_view FieldValues::getValue(std::size_t pos) const {
    assert(pos < getCount());
    const std::uint32_t begin = pos == 0 ? 0 : ends()[pos - 1];
    return std::string_view(text() + begin, ends()[pos] - begin);
}

std::optional<std::string_view> FieldValues::find(FieldId id) const {
    const std::uint32_t* ids = _block ? _block.get() + 1 : nullptr;
    const std::uint32_t* idsEnd = ids + getCount();
    const std::uint32_t* found = std::lower_bound(ids, idsEnd, id);
    if (found == idsEnd || *found != id)
        return std::nullopt;
    return getValue(static_cast<std::size_t>(found - ids));
}

void FieldValues::set(FieldId id, std::string_view value) {
    const std::size_t count = getCount();
    std::size_t pos = 0;
    while (pos < count && getId(pos) < id)
        ++pos;
    const bool replacing = pos < count && getId(pos) == id;
    const std::size_t oldText = count == 0 ? 0 : ends()[count - 1];
    const std::size_t newCount = replacing ? count : count + 1;
    const std::size_t newText = oldText - (replacing ? getValue(pos).size() : 0) + value.size();

    FieldValues result;
    result._block = allocate(newCount, newText);
    std::size_t written = 0;
    std::size_t to = 0;
    const auto put = [&](FieldId putId, std::string_view putValue) {
        result._block[1 + to] = putId;
        std::memcpy(result.text() + written, putValue.data(), putValue.size());
        written += putValue.size();
        result.ends()[to] = static_cast<std::uint32_t>(written);
        ++to;
    };
    for (std::size_t from = 0; from < count; ++from) {
        if (from == pos)
            put(id, value);
        if (!(replacing && from == pos))
            put(getId(from), getValue(from));
    }
    if (pos == count)
        put(id, value);
    assert(to == newCount && written == newText);
    *this = std::move(result);
}

void FieldValues::Builder::mark(FieldId id) {
    if (id >= _marks.size())
        _marks.resize(static_cast<std::size_t>(id) + 1, 0);
    _marks[id] = _generation;
}

void FieldValues::Builder::add(FieldId id, std::string_view value) {
    addRead(id, [&](std::string& text) { text.append(value); });
}

FieldValues FieldValues::Builder::build() {
    FieldValues result;
    if (!_entries.empty()) {
        // Fields read in the order of an outline whose names were new are in id order already.
        if (!std::is_sorted(_entries.begin(), _entries.end(),
                            [](const Entry& a, const Entry& b) { return a.id < b.id; }))
            std::sort(_entries.begin(), _entries.end(),
                      [](const Entry& a, const Entry& b) { return a.id < b.id; });
        result._block = allocate(_entries.size(), _text.size());
        std::size_t written = 0;
        for (std::size_t i = 0; i < _entries.size(); ++i) {
            const Entry& entry = _entries[i];
            result._block[1 + i] = entry.id;
            std::memcpy(result.text() + written, _text.data() + entry.begin, entry.size);
            written += entry.size;
            result.ends()[i] = static_cast<std::uint32_t>(written);
        }
    }
    _entries.clear();
    _text.clear();
    // A new generation unmarks every id at once; after four billion items the marks start over.
    if (++_generation == 0) {
        std::fill(_marks.begin(), _marks.end(), 0);
        _generation = 1;
    }
    return result;
}
