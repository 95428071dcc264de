#include "fieldvalues.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

namespace {

constexpr std::size_t wordsFor(std::size_t count, std::size_t textSize) {
    return 1 + 2 * count + (textSize + sizeof(std::uint32_t) - 1) / sizeof(std::uint32_t);
}

constexpr std::size_t FirstChunkWords = 256;
constexpr std::size_t ChunkWords = std::size_t{1} << 18;

} // namespace

void FieldValues::Release::operator()(std::uint32_t* block) const noexcept {
    if ((block[0] & StoredFlag) == 0)
        std::default_delete<std::uint32_t[]>()(block);
}

FieldValues::Store::Store(Store&& other) noexcept
    : _chunks(std::move(other._chunks)), _free(std::exchange(other._free, nullptr)),
      _freeWords(std::exchange(other._freeWords, 0)),
      _lastChunkWords(std::exchange(other._lastChunkWords, 0)) {}

FieldValues::Store& FieldValues::Store::operator=(Store&& other) noexcept {
    if (this == &other)
        return *this;
    _chunks = std::move(other._chunks);
    other._chunks.clear();
    _free = std::exchange(other._free, nullptr);
    _freeWords = std::exchange(other._freeWords, 0);
    _lastChunkWords = std::exchange(other._lastChunkWords, 0);
    return *this;
}

std::uint32_t* FieldValues::Store::allocate(std::size_t words) {
    if (words > _freeWords) {
        // Chunks start small and double, so that a small document does not take a large chunk; a block
        // larger than a full chunk gets one of its own, and the current chunk goes on filling.
        const std::size_t nextWords =
            _lastChunkWords == 0 ? FirstChunkWords : std::min(2 * _lastChunkWords, ChunkWords);
        if (words > nextWords) {
            _chunks.push_back(std::make_unique_for_overwrite<std::uint32_t[]>(words));
            return _chunks.back().get();
        }
        _chunks.push_back(std::make_unique_for_overwrite<std::uint32_t[]>(nextWords));
        _free = _chunks.back().get();
        _freeWords = nextWords;
        _lastChunkWords = nextWords;
    }
    std::uint32_t* block = _free;
    _free += words;
    _freeWords -= words;
    return block;
}

FieldValues::Block FieldValues::allocate(std::size_t count, std::size_t textSize, Store* store) {
    // Value ends are 32-bit; no item read from a file comes near the limit.
    if (static_cast<std::uint64_t>(textSize) > std::numeric_limits<std::uint32_t>::max() ||
        count >= StoredFlag)
        throw std::length_error("field values too long");
    const std::size_t words = wordsFor(count, textSize);
    Block block(store != nullptr ? store->allocate(words)
                                 : std::make_unique_for_overwrite<std::uint32_t[]>(words).release());
    block[words - 1] = 0; // the padding after the text, so that equal blocks compare equal byte by byte
    block[0] = static_cast<std::uint32_t>(count) | (store != nullptr ? StoredFlag : 0);
    return block;
}

FieldValues::FieldValues(const FieldValues& other) {
    if (!other._block)
        return;
    const std::size_t size = other.byteSize();
    _block.reset(std::make_unique_for_overwrite<std::uint32_t[]>(size / sizeof(std::uint32_t)).release());
    std::memcpy(_block.get(), other._block.get(), size);
    _block[0] &= ~StoredFlag;
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
    // The counts are equal; where the blocks live does not matter.
    const std::size_t size = byteSize();
    return size == other.byteSize() &&
           std::memcmp(_block.get() + 1, other._block.get() + 1, size - sizeof(std::uint32_t)) == 0;
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
    if (has(id))
        return;
    mark(id);
    _entries.push_back(Entry{id, _text.size(), value.size()});
    _text.append(value);
}

FieldValues FieldValues::Builder::build(Store* store) {
    FieldValues result;
    if (!_entries.empty()) {
        // Fields read in the order of an outline whose names were new are in id order already; then the
        // values lie in the block's order and go over in one copy, which for a million items counts.
        const auto byId = [](const Entry& a, const Entry& b) { return a.id < b.id; };
        const bool inOrder = std::is_sorted(_entries.begin(), _entries.end(), byId);
        if (!inOrder)
            std::sort(_entries.begin(), _entries.end(), byId);
        result._block = allocate(_entries.size(), _text.size(), store);
        std::size_t written = 0;
        for (std::size_t i = 0; i < _entries.size(); ++i) {
            const Entry& entry = _entries[i];
            result._block[1 + i] = entry.id;
            if (!inOrder)
                std::memcpy(result.text() + written, _text.data() + entry.begin, entry.size);
            written += entry.size;
            result.ends()[i] = static_cast<std::uint32_t>(written);
        }
        if (inOrder)
            std::memcpy(result.text(), _text.data(), _text.size());
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
